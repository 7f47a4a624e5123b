#include "ui/form_Reports.h"
#include "ui_form_Reports.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "app/Widget_Application.h"
#include "data/Unit_DataModule.h"
#include "reports/Unit_ReportBase.h"
#include "ui/FormWait.h"
#include "ui/Unit_ExplorerEntries.h"
#include "ui/Widget_ReportPreview.h"
#include "ui/form_reference.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLocale>

namespace {
const char* const kNoCity = "Укажите населенный пункт или включите опцию \"все\"";
const char* const kNoArea = "Не указан терапевтический участок.";
const char* const kNoReport = "Не указан отчет!";
}

TReportWizardForm::TReportWizardForm(QWidget* parent) : TCommonForm(parent), ui(std::make_unique<Ui::ReportWizardForm>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("ReportWizardForm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(632, 453);
    // The design-time state.
    ui->chbReport1->setChecked(true);
    ui->rbList->setChecked(true);
    ui->rbtSexAll->setChecked(true);
    for (QDateEdit* d : {ui->edDateBegin, ui->edDateEnd}) {
        d->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
        d->setDate(TClock::Today());
    }
    for (QCheckBox* box : Choices())
        connect(box, &QCheckBox::toggled, this, [this, box] { chbReport1Click(box); });
    for (QCheckBox* box : Sexes())
        connect(box, &QCheckBox::toggled, this, [this, box] { rbtSexAllClick(box); });
    connect(ui->chbAllCity, &QCheckBox::toggled, this, &TReportWizardForm::chbAllCityClick);
    connect(ui->btnOK, &QPushButton::clicked, this, &TReportWizardForm::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->btnCityRef, &QPushButton::clicked, this, [this] {
        ui->edCity->setFocus();
        ChooseCity();
    });
    // The city field shows what the picker found, in upper case; typing goes nowhere.
    connect(ui->edCity, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (t != t.toUpper())
            ui->edCity->setText(t.toUpper());
    });
    ui->edCity->installEventFilter(this);
    ui->Label8->installEventFilter(this);
    ui->Label8->setCursor(Qt::PointingHandCursor);
    ui->PB->setRange(0, 100);
    ui->PB->setValue(0);
    chbAllCityClick();
}

TReportWizardForm::~TReportWizardForm() { DetachWindowHandlers(this); }

QList<QCheckBox*> TReportWizardForm::Choices() const
{
    return {ui->chbReport1, ui->chbReport2, ui->chbReport3, ui->chbReport4, ui->chbReport5,
            ui->chbReport6, ui->chbReport7, ui->chbReport8, ui->chbReport9};
}

QList<QCheckBox*> TReportWizardForm::Sexes() const { return {ui->rbtSexAll, ui->rbtSexMale, ui->rbtSexFemale}; }

void TReportWizardForm::Exclusive(const QList<QCheckBox*>& group, QCheckBox* clicked)
{
    // A box ticked by a click or from code unticks the others; a ticked box that is
    // unticked, by a click or from code, is ticked again: one box of the group stays ticked.
    if (m_guard)
        return;
    m_guard = true;
    for (QCheckBox* box : group)
        box->setChecked(false);
    clicked->setChecked(true);
    m_guard = false;
}

void TReportWizardForm::rbtSexAllClick(QCheckBox* clicked) { Exclusive(Sexes(), clicked); }
void TReportWizardForm::chbReport1Click(QCheckBox* clicked) { Exclusive(Choices(), clicked); }

void TReportWizardForm::chbAllCityClick()
{
    ui->edCity->setEnabled(!ui->chbAllCity->isChecked());
    ui->btnCityRef->setEnabled(ui->edCity->isEnabled());
    ui->Label8->setEnabled(ui->edCity->isEnabled());
}

bool TReportWizardForm::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == ui->edCity && event->type() == QEvent::MouseButtonDblClick) ||
        (watched == ui->Label8 && event->type() == QEvent::MouseButtonRelease && ui->Label8->isEnabled())) {
        ui->edCity->setFocus();
        ChooseCity();
        return true;
    }
    return TCommonForm::eventFilter(watched, event);
}

bool TReportWizardForm::FormKeyDown(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_busy)
            return true;
        break;
    case Qt::Key_F4:
        btnOKClick();
        return true;
    case Qt::Key_F10:
        if (ui->edCity->isEnabled()) {
            ui->edCity->setFocus();
            ChooseCity();
        }
        return true;
    default:
        break;
    }
    return TCommonForm::FormKeyDown(event);
}

void TReportWizardForm::ChooseCity()
{
    if (QApplication::focusWidget() != ui->edCity)
        return;
    TReferenceForm picker(this);
    if (const TReferenceChoice c = picker.PickReference(TReferenceKind::City, ui->edCity->text())) {
        m_cityLID = c.Id.toString();
        ui->edCity->setText(c.Found);
    }
}

void TReportWizardForm::ShowProgress(int percent) { ui->PB->setValue(percent); }

QStringList TReportWizardForm::CommonItems() const
{
    QString sex = "2";
    if (ui->rbtSexFemale->isChecked())
        sex = "0";
    else if (ui->rbtSexMale->isChecked())
        sex = "1";
    else if (ui->rbtSexAll->isChecked())
        sex = "2";
    return {ui->chbAllCity->isChecked() ? QStringLiteral("*") : ui->edCity->text(),
            m_cityLID,
            QString(ui->edUchastok->text()).remove(QChar(' ')),
            ShortDateText(ui->edDateBegin->date()),
            ShortDateText(ui->edDateEnd->date()),
            ui->edAgeMin->text(),
            ui->edAgeMax->text(),
            sex};
}

void TReportWizardForm::btnOKClick()
{
    // The error box of the general error display, raised here rather than through the
    // signal that called.
    try {
        MakeReport();
    } catch (const std::exception& e) {
        ShowApplicationException(e);
    }
}

void TReportWizardForm::MakeReport()
{
    if (m_busy)
        return;
    ShowWait(true, QString::fromUtf8("Формирование отчета..."));
    const QString city = ui->chbAllCity->isChecked() ? QStringLiteral("*") : ui->edCity->text();
    if (city.isEmpty()) {
        ShowWait(false);
        throw AppException(QString::fromUtf8(kNoCity));
    }
    if (ui->edUchastok->text().isEmpty()) {
        ShowWait(false);
        throw AppException(QString::fromUtf8(kNoArea));
    }
    QStringList params = CommonItems();
    m_busy = true;
    try {
        int choice = 0;
        const QList<QCheckBox*> choices = Choices();
        for (int i = 0; i < choices.size() && choice == 0; ++i)
            if (choices[i]->isChecked())
                choice = i + 1;
        if (choice == 0) {
            ShowWait(false);
            TDialogs::Message(TBoxType::Warning, QString::fromUtf8(kNoReport), TButton::OK);
        } else {
            params << ChoiceItems(choice, ui->rbCard->isChecked() ? 2 : 1);
            std::unique_ptr<TReport> report =
                CreateReport(choice, DM()->Database(), params, 2, [this](int percent) { ShowProgress(percent); });
            RunReport(*report);
        }
    } catch (...) {
        ShowWait(false);
        ui->PB->setValue(0);
        m_busy = false;
        throw;
    }
    ui->PB->setValue(0);
    if (ui->chbAutoClose->isChecked())
        reject();
    m_busy = false;
}

void TReportWizardForm::LoadSettings()
{
    TCommonForm::LoadSettings();
    TAppInfo* info = AppInfo();
    if (!info)
        return;
    const QString s = objectName();
    const QDateTime now = TClock::Now();
    ui->edDateBegin->setDate(info->ReadDateTime(s, "ReportDateBegin", now).date());
    ui->edDateEnd->setDate(info->ReadDateTime(s, "ReportDateEnd", now).date());
    ui->edAgeMin->setText(info->ReadString(s, "ReportAgeMin", "10"));
    ui->edAgeMax->setText(info->ReadString(s, "ReportAgeMax", "70"));
    ui->rbtSexAll->setChecked(info->ReadBool(s, "SexAll", true));
    ui->rbtSexMale->setChecked(info->ReadBool(s, "SexMale", false));
    ui->rbtSexFemale->setChecked(info->ReadBool(s, "SexFemale", false));
    ui->edCity->setText(info->ReadString(s, "ReportCity", QString()));
    m_cityLID = info->ReadString(s, "ReportCityLID", "0");
    const QList<QCheckBox*> choices = Choices();
    for (int i = 0; i < 4; ++i)
        choices[i]->setChecked(info->ReadBool(s, QString("Report%1").arg(i + 1), false));
    ui->chbAutoClose->setChecked(info->ReadBool(s, "AutoClose", false));
    ui->edUchastok->setText(info->ReadString(s, "ReportUchastok", ui->edUchastok->text()));
    for (int i = 4; i < 9; ++i)
        choices[i]->setChecked(info->ReadBool(s, QString("Report%1").arg(i + 1), false));
    ui->chbAllCity->setChecked(info->ReadBool(s, "ReportAllCity", false));
    chbAllCityClick();
}

void TReportWizardForm::SaveSettings()
{
    TCommonForm::SaveSettings();
    TAppInfo* info = AppInfo();
    if (!info)
        return;
    const QString s = objectName();
    info->WriteDateTime(s, "ReportDateBegin", ui->edDateBegin->dateTime());
    info->WriteDateTime(s, "ReportDateEnd", ui->edDateEnd->dateTime());
    info->WriteString(s, "ReportAgeMin", ui->edAgeMin->text());
    info->WriteString(s, "ReportAgeMax", ui->edAgeMax->text());
    info->WriteString(s, "ReportCity", ui->edCity->text());
    info->WriteString(s, "ReportCityLID", m_cityLID);
    const QList<QCheckBox*> choices = Choices();
    for (int i = 0; i < 4; ++i)
        info->WriteBool(s, QString("Report%1").arg(i + 1), choices[i]->isChecked());
    info->WriteString(s, "ReportUchastok", ui->edUchastok->text());
    for (int i = 4; i < 9; ++i)
        info->WriteBool(s, QString("Report%1").arg(i + 1), choices[i]->isChecked());
    info->WriteBool(s, "ReportAllCity", ui->chbAllCity->isChecked());
    info->WriteBool(s, "AutoClose", ui->chbAutoClose->isChecked());
    info->WriteBool(s, "SexAll", ui->rbtSexAll->isChecked());
    info->WriteBool(s, "SexMale", ui->rbtSexMale->isChecked());
    info->WriteBool(s, "SexFemale", ui->rbtSexFemale->isChecked());
}

void RegisterReportWizard()
{
    InstallReportHooks();
    ExplorerEntries().RunReportWizard = [] {
        TReportWizardForm form(QApplication::activeWindow());
        form.exec();
    };
}
