#include "access/form_login.h"
#include "access/Unit_HospitalList.h"
#include "access/Unit_Security.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_GlobalObjects.h"
#include "app/Widget_ControlUtils.h"
#include "ui_form_login.h"
#include <QApplication>
#include <QKeyEvent>

namespace {
const char* const kSection = "settings";
const char* const kLastUser = "LastUser";
const char* const kLastHspGID = "LastHspGID";
const int kWidth = 499;
const int kLoginHeight = 185;
const int kChangeHeight = 210;
}

TLoginForm::TLoginForm(QWidget* parent) : TCommonForm(parent), ui(std::make_unique<Ui::LoginForm>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    for (QLineEdit* e : {ui->edUserName, ui->edPassword, ui->edNewPassword, ui->edRetypePassword})
        SetUpperCaseInput(e);
    for (QLineEdit* e : {ui->edPassword, ui->edNewPassword, ui->edRetypePassword})
        SetPasswordInput(e);
    connect(ui->btnOK, &QPushButton::clicked, this, &TLoginForm::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { UpdateDefaultButton(now); });
    FillHospitalList();
    SetMode(ModeLogin);
}

TLoginForm::~TLoginForm() { DetachWindowHandlers(this); }

void TLoginForm::FillHospitalList()
{
    try {
        for (const THospitalItem& h : ReadHospitalList())
            ui->edHospital->addItem(h.MU, h.HspGID);
    } catch (const std::exception& e) {
        // The operator still learns why the list is empty; the login itself may work.
        ShowExceptionMessage(e);
    }
}

void TLoginForm::SetMode(int mode)
{
    m_mode = mode == ModePasswordChange ? ModePasswordChange : ModeLogin;
    const bool change = m_mode == ModePasswordChange;
    ui->edUserName->setReadOnly(change);
    ui->lblHospital->setVisible(!change);
    ui->edHospital->setVisible(!change);
    ui->lblNewPassword->setVisible(change);
    ui->edNewPassword->setVisible(change);
    ui->lblRetypePassword->setVisible(change);
    ui->edRetypePassword->setVisible(change);
    setFixedSize(kWidth, change ? kChangeHeight : kLoginHeight);
    setWindowTitle((change ? QStringLiteral("Смена пароля: ") : QStringLiteral("Регистрация: "))
                   + QString::fromUtf8(kAppTitle));
}

int TLoginForm::SelectedHspGID() const
{
    const QVariant key = ui->edHospital->currentData();
    return key.isValid() ? key.toInt() : -1;
}

void TLoginForm::LoadSettings()
{
    TCommonForm::LoadSettings();
    if (TAppInfo* info = AppInfo()) {
        ui->edUserName->setText(info->ReadString(kSection, kLastUser, QString()));
        int at = ui->edHospital->findData(info->ReadInteger(kSection, kLastHspGID, -1));
        if (at < 0 && ui->edHospital->count() > 0)
            at = 0;
        ui->edHospital->setCurrentIndex(at);
    }
    if (!ui->edUserName->text().isEmpty())
        ui->edPassword->setFocus();
}

void TLoginForm::SaveSettings()
{
    if (TAppInfo* info = AppInfo()) {
        info->WriteString(kSection, kLastUser, ui->edUserName->text());
        info->WriteInteger(kSection, kLastHspGID, SelectedHspGID());
    }
    TCommonForm::SaveSettings();
}

bool TLoginForm::FormKeyDown(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == ui->edUserName && !ui->edUserName->text().isEmpty()) {
        ui->edPassword->setFocus(Qt::TabFocusReason);
        return true;
    }
    return TCommonForm::FormKeyDown(event);
}

void TLoginForm::UpdateDefaultButton(QWidget* focused)
{
    if (!focused || focused->window() != this)
        return;
    // Enter confirms only from the last field of the mode; elsewhere it moves on.
    QWidget* last = m_mode == ModeLogin ? ui->edPassword : ui->edRetypePassword;
    ui->btnOK->setDefault(focused == last);
}

void TLoginForm::btnOKClick()
{
    TAppInfo* info = AppInfo();
    TOperatorIdentity identity;
    if (!info || !Authenticate(ui->edUserName->text(), ui->edPassword->text(), identity)) {
        TDialogs::Error(QStringLiteral("Отказано в доступе."));
        return;
    }
    info->UserGID = identity.UserGID;
    info->WstGID = identity.WstGID;
    info->HspGID = identity.HspGID;
    info->UserLevel = identity.UserLevel;
    if (m_mode == ModeLogin) {
        accept();
        return;
    }
    if (ui->edNewPassword->text() != ui->edRetypePassword->text()) {
        TDialogs::Warning(QStringLiteral("Новый пароль не совпадает с повторенным!"));
        return;
    }
    if (ChangePassword(info->UserGID, ui->edNewPassword->text())) {
        TDialogs::Information(QStringLiteral("Пароль изменен успешно."));
        accept();
    } else {
        TDialogs::Error(QStringLiteral("Отказано в смене пароля."));
    }
}

bool TLoginForm::ShowLogin()
{
    SetMode(ModeLogin);
    const bool confirmed = exec() == QDialog::Accepted;
    if (TAppInfo* info = AppInfo()) {
        info->LoggedIn = confirmed;
        // The polyclinic chosen here wins over the one of the operator's workstation; with an
        // empty list there is no choice, and the derived one stays.
        if (confirmed && SelectedHspGID() != -1)
            info->HspGID = SelectedHspGID();
    }
    if (confirmed) {
        ui->StatusBar->showMessage(QStringLiteral(" Загрузка списка пациентов. Ждите..."));
        show();
        repaint();
    }
    return confirmed;
}
