#include "ui/form_SetSettings.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_FileLocations.h"
#include "app/Unit_GlobalObjects.h"
#include "app/kaStickingBevel.h"
#include "ui_form_SetSettings.h"
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTabBar>

namespace {
const int kWidth = 586;
const int kWorkstationHeight = 300;
const int kServerHeight = 220;

const char* BrowseTitle(TSetSettingsForm::TLocation location)
{
    switch (location) {
    case TSetSettingsForm::MainDB: return "База данных  \"АИС VELTA\"";
    case TSetSettingsForm::PolyDB: return "База данных  \"ПОЛИКЛИНИКА\"";
    case TSetSettingsForm::ImportDB: return "Папка \"ИМПОРТ\"";
    case TSetSettingsForm::ExportDB: return "Папка \"ЭКСПОРТ\"";
    }
    return "";
}
}

TSetSettingsForm::TSetSettingsForm(QWidget* parent)
    : TCommonForm(parent), ui(std::make_unique<Ui::SetSettingsForm>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    m_server = AppInfo() && AppInfo()->IsServer();

    // Exactly one page is shown; its tab is a caption, not something to switch to.
    ui->PageControl1->setTabVisible(ui->PageControl1->indexOf(ui->tsWorkstation), !m_server);
    ui->PageControl1->setTabVisible(ui->PageControl1->indexOf(ui->tsServer), m_server);
    ui->PageControl1->setCurrentWidget(m_server ? ui->tsServer : ui->tsWorkstation);
    ui->PageControl1->tabBar()->setFocusPolicy(Qt::NoFocus);
    setFixedSize(kWidth, m_server ? kServerHeight : kWorkstationHeight);

    connect(ui->btnMainBrowse, &QPushButton::clicked, this, [this] { Browse(MainDB); });
    connect(ui->btnPolyBrowse, &QPushButton::clicked, this, [this] { Browse(PolyDB); });
    connect(ui->btnImportBrowse, &QPushButton::clicked, this, [this] { Browse(ImportDB); });
    connect(ui->btnExportBrowse, &QPushButton::clicked, this, [this] { Browse(ExportDB); });
    connect(ui->Button2, &QPushButton::clicked, this, [this] { Browse(ImportDB); });
    connect(ui->Button1, &QPushButton::clicked, this, [this] { Browse(ExportDB); });
    connect(ui->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit* e : {ui->edMainDB, ui->edPolyDB, ui->edImportDB, ui->edExportDB, ui->edServerImport,
                         ui->edServerExport})
        connect(e, &QLineEdit::textChanged, this, &TSetSettingsForm::UpdateOK);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { RedirectFocus(now); });

    QPushButton* first = m_server ? ui->Button2 : ui->btnMainBrowse;
    FocusFrame()->SetStickTo(first);
    first->setFocus();
}

TSetSettingsForm::~TSetSettingsForm() { DetachWindowHandlers(this); }

QLineEdit* TSetSettingsForm::Edit(TLocation location) const
{
    switch (location) {
    case MainDB: return ui->edMainDB;
    case PolyDB: return ui->edPolyDB;
    case ImportDB: return ui->edImportDB;
    case ExportDB: return ui->edExportDB;
    }
    return nullptr;
}

QPushButton* TSetSettingsForm::BrowseButton(TLocation location) const
{
    // A server has only the exchange folders, under its own buttons.
    if (m_server)
        return location == ImportDB ? ui->Button2 : location == ExportDB ? ui->Button1 : nullptr;
    switch (location) {
    case MainDB: return ui->btnMainBrowse;
    case PolyDB: return ui->btnPolyBrowse;
    case ImportDB: return ui->btnImportBrowse;
    case ExportDB: return ui->btnExportBrowse;
    }
    return nullptr;
}

void TSetSettingsForm::SetLocation(TLocation location, const QString& path) { Edit(location)->setText(path); }

void TSetSettingsForm::ProposeLocation(TLocation location, const QString& path)
{
    m_proposed[location] = path;
    ShowLocation(location, path);
}

bool TSetSettingsForm::CreateProposedFolders()
{
    for (TLocation location : {MainDB, PolyDB, ImportDB, ExportDB}) {
        const QString path = Location(location);
        if (m_proposed[location].isEmpty() || path != m_proposed[location] || QFileInfo(path).isDir())
            continue;
        if (!QDir().mkpath(path)) {
            TDialogs::Error(QString("Не удаётся создать папку \"%1\".").arg(path));
            return false;
        }
    }
    return true;
}
QString TSetSettingsForm::Location(TLocation location) const { return Edit(location)->text(); }

void TSetSettingsForm::Browse(TLocation location)
{
    const QString current = Location(location);
    const QString start = current != "/" && QFileInfo(current).isDir() ? current : QDir::homePath();
    const QString folder = TDialogs::BrowseFolder(QString::fromUtf8(BrowseTitle(location)), start);
    if (folder.isEmpty())
        return;
    QString path = folder;
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    path = TAppInfo::IncludeTrailingSlash(path);
    ShowLocation(location, path);
}

// The import and export folders show on both pages of the window.
void TSetSettingsForm::ShowLocation(TLocation location, const QString& path)
{
    Edit(location)->setText(path);
    if (location == ImportDB)
        ui->edServerImport->setText(path);
    else if (location == ExportDB)
        ui->edServerExport->setText(path);
}

void TSetSettingsForm::UpdateOK()
{
    ui->btnOK->setEnabled(!ui->edMainDB->text().isEmpty() && !ui->edPolyDB->text().isEmpty()
                          && !ui->edImportDB->text().isEmpty() && !ui->edExportDB->text().isEmpty());
}

void TSetSettingsForm::RedirectFocus(QWidget* focused)
{
    // The edits only show the locations: entering one lands on its browse button.
    if (focused == ui->edMainDB)
        ui->btnMainBrowse->setFocus();
    else if (focused == ui->edExportDB || focused == ui->edServerExport)
        BrowseButton(ExportDB)->setFocus();
}

bool TSetSettingsForm::FormKeyDown(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F6 && event->modifiers() == Qt::NoModifier) {
        if (ui->btnOK->isEnabled())
            accept();
        return true;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0] >= u'1' && text[0] <= u'4') {
        const int digit = text[0].unicode() - u'0';
        // A server labels its own two buttons [1] (import) and [2] (export).
        const auto location = m_server ? (digit == 1 ? ImportDB : digit == 2 ? ExportDB : MainDB)
                                       : TLocation(digit - 1);
        if (QPushButton* button = BrowseButton(location)) {
            button->setFocus();
            Browse(location);
        }
        return true;
    }
    return TCommonForm::FormKeyDown(event);
}

void TSetSettingsForm::done(int result)
{
    if (result == QDialog::Accepted
        && TDialogs::Message(TBoxType::Confirmation, QStringLiteral("Подтверждаете сохранение настроек?"),
                             TButton::OK | TButton::Cancel)
               != TButton::OK)
        return;
    // A proposed folder that cannot be made keeps the window open with the message.
    if (result == QDialog::Accepted && !CreateProposedFolders())
        return;
    TCommonForm::done(result);
}

bool RunSettings()
{
    TAppInfo* info = AppInfo();
    if (!info)
        return false;
    TSetSettingsForm form;
    const auto show = [&](TSetSettingsForm::TLocation location, const QString& path, const char* proposal) {
        if (path == "/" && proposal)
            form.ProposeLocation(location, TFileLocations::ProposedFolder(QString::fromLatin1(proposal)));
        else
            form.SetLocation(location, path);
    };
    // The registry folder holds the polyclinic's own files: there is nothing to propose. A
    // server keeps no workstation database.
    show(TSetSettingsForm::MainDB, info->MainDBPath(), info->IsServer() ? nullptr : "main");
    show(TSetSettingsForm::PolyDB, info->PolyDBPath(), nullptr);
    show(TSetSettingsForm::ImportDB, info->ImportDBPath(), "import");
    show(TSetSettingsForm::ExportDB, info->ExportDBPath(), "export");
    if (form.exec() != QDialog::Accepted)
        return false;
    info->SetMainDBPath(form.Location(TSetSettingsForm::MainDB));
    info->SetPolyDBPath(form.Location(TSetSettingsForm::PolyDB));
    info->SetImportDBPath(form.Location(TSetSettingsForm::ImportDB));
    info->SetExportDBPath(form.Location(TSetSettingsForm::ExportDB));
    info->SaveLocations();
    return true;
}
