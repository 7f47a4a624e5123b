#include "ui/form_explorer.h"
#include "ui_form_explorer.h"
#include "access/form_login.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_GlobalObjects.h"
#include "app/Widget_ControlUtils.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include "ui/FormAbout.h"
#include "ui/Unit_ExplorerEntries.h"
#include "ui/Widget_DateDelegate.h"
#include "ui/form_SetSettings.h"
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
enum { KindSheet = 0, KindCard = 1 };
// Columns of the patient list and of the document lists as the data module selects them.
enum { PersonSurName = 1, PersonName = 2, PersonOtch = 3, PersonBirthday = 5, PersonMaidenName = 6 };
enum { DocDateColumn = 1, DocCrDateColumn = 5, DocLastUpdateColumn = 6 };
// The field names the layout keys are named after, in column order.
const char* const kDocColumnFields[] = {"DocDate", "crDate", "LastUpdate"};
const int kDocColumns[] = {DocDateColumn, DocCrDateColumn, DocLastUpdateColumn};

QString Upper(const QVariant& v) { return v.toString().toUpper(); }
}

TExplorerForm::TExplorerForm(TDM& dm, TAppInfo& info, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::ExplorerForm>()), m_dm(dm), m_info(info)
{
    ui->setupUi(this);
    setObjectName("ExplorerForm");
    new TCommonFormBehaviour(this, this);
    ui->Splitter1->setSizes({284, 740});
    ui->StatusBar1->addWidget(new QLabel(QString::fromUtf8("Shift+Escape - закрыть программу"), ui->StatusBar1));
    SetUpperCaseInput(ui->edPersonSearch);
    ui->gridPerson->installEventFilter(this);
    ui->edPersonSearch->installEventFilter(this);
    BuildCaption();
    SetupGrids();
    ConnectActions();
    connect(&m_dm, &TDM::PersonChanged, this, &TExplorerForm::PersonChanged);
    connect(&m_dm, &TDM::PersonsOpening, this, [this] { actCalcVsegoExecute(); });
    ui->pcDocs->setCurrentIndex(0);
    UpdateEntryActions();
    // The data module moved to the first patient before this window listened: show him.
    ShowCurrentPerson();
}

TExplorerForm::~TExplorerForm() { DetachWindowHandlers(this); }

void TExplorerForm::BuildCaption()
{
    QString caption = windowTitle();
    try {
        QSqlQuery q(m_dm.Database());
        TDatabase::Exec(q, "select BrgName from Brigade");
        if (q.next())
            caption += " : " + q.value(0).toString();
    } catch (const std::exception&) {
        // Without a brigade the caption simply lacks that part.
    }
    QSqlQuery q(m_dm.Database());
    TDatabase::Prepare(q, "select MU from hospital where HspGID = :HspGID");
    q.bindValue(":HspGID", m_info.HspGID);
    TDatabase::Exec(q);
    if (!q.next()) {
        TDialogs::Error("ВНУТРЕННЯЯ ОШИБКА! Не обнаружена поликлиника по \r\nее первичному ключу. ОБРАТИТЕСЬ К РАЗРАБОТЧИКУ.");
        m_terminate = true;
    } else {
        caption += " ( " + q.value(0).toString() + ")";
    }
    setWindowTitle(caption);
}

void TExplorerForm::SetupGrids()
{
    QTableView* person = ui->gridPerson;
    person->setModel(m_dm.sqlPerson());
    auto personColumns = [this, person] {
        QAbstractItemModel* m = m_dm.sqlPerson();
        for (int c = 0; c < m->columnCount(); ++c)
            person->setColumnHidden(c, c < PersonSurName || c > PersonOtch);
        m->setHeaderData(PersonSurName, Qt::Horizontal, QString::fromUtf8("Фамилия"));
        m->setHeaderData(PersonName, Qt::Horizontal, QString::fromUtf8("Имя"));
        m->setHeaderData(PersonOtch, Qt::Horizontal, QString::fromUtf8("Отчество"));
        for (int c = PersonSurName; c <= PersonOtch; ++c)
            person->setColumnWidth(c, 100);
    };
    personColumns();
    connect(m_dm.sqlPerson(), &QAbstractItemModel::modelReset, this, personColumns);
    person->verticalHeader()->hide();
    person->verticalHeader()->setDefaultSectionSize(20);
    person->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    connect(person->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now) { PersonRowChanged(now.row()); });
    connect(person, &QWidget::customContextMenuRequested, this, [this, person](const QPoint& at) {
        QMenu ppmPerson(this);
        ppmPerson.setObjectName("ppmPerson");
        ppmPerson.addAction(ui->actRefreshOnePerson);
        ppmPerson.exec(person->viewport()->mapToGlobal(at));
    });

    for (int kind : {KindSheet, KindCard}) {
        QTableView* grid = Grid(kind);
        QSqlQueryModel* model = kind == KindSheet ? m_dm.sqlList() : m_dm.sqlCard();
        grid->setModel(model);
        grid->setItemDelegateForColumn(DocDateColumn, new TDateDelegate(false, grid));
        grid->setItemDelegateForColumn(DocCrDateColumn, new TDateDelegate(true, grid));
        grid->setItemDelegateForColumn(DocLastUpdateColumn, new TDateDelegate(true, grid));
        grid->verticalHeader()->hide();
        grid->verticalHeader()->setDefaultSectionSize(20);
        grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
        auto columns = [grid, model] {
            for (int c = 0; c < model->columnCount(); ++c)
                grid->setColumnHidden(c, c != DocDateColumn && c != DocCrDateColumn && c != DocLastUpdateColumn);
            model->setHeaderData(DocDateColumn, Qt::Horizontal, QString::fromUtf8("Дата"));
            model->setHeaderData(DocCrDateColumn, Qt::Horizontal, QString::fromUtf8("Создан"));
            model->setHeaderData(DocLastUpdateColumn, Qt::Horizontal, QString::fromUtf8("Изменен"));
        };
        connect(model, &QAbstractItemModel::modelReset, grid, columns);
        columns();
        grid->setColumnWidth(DocDateColumn, 79);
        grid->setColumnWidth(DocCrDateColumn, 150);
        grid->setColumnWidth(DocLastUpdateColumn, 150);
        connect(grid, &QAbstractItemView::doubleClicked, this, [this, kind] {
            if (Grid(kind)->model()->rowCount() > 0 && (kind == KindSheet ? ui->actAnketaList : ui->actAnketaCard)->isEnabled())
                OpenDocument(kind, CurrentDocLID(kind));
        });
    }
}

QTableView* TExplorerForm::Grid(int kind) const { return kind == KindSheet ? ui->gridList : ui->gridCard; }

void TExplorerForm::ConnectActions()
{
    connect(ui->actAnketaList, &QAction::triggered, this, [this] { AnketaAction(KindSheet); });
    connect(ui->actAnketaCard, &QAction::triggered, this, [this] { AnketaAction(KindCard); });
    connect(ui->actReportAllReports, &QAction::triggered, this, [] {
        if (ExplorerEntries().RunReportWizard)
            ExplorerEntries().RunReportWizard();
    });
    connect(ui->actServiceChangePassword, &QAction::triggered, this, [this] {
        TLoginForm form(this);
        form.SetMode(1);
        form.exec();
    });
    connect(ui->actServiceSettings, &QAction::triggered, this, [] { RunSettings(); });
    connect(ui->actAdminImportLocal, &QAction::triggered, this, [this] { actAdminImportLocalExecute(); });
    connect(ui->actRefreshOnePerson, &QAction::triggered, this, [this] { actRefreshOnePersonExecute(); });
    connect(ui->actAdminExport, &QAction::triggered, this, [] { ExplorerEntries().RunExport(); });
    connect(ui->actAdminImpRefFromServer, &QAction::triggered, this, [this] {
        ExplorerEntries().RunServerImport();
        m_dm.ReopenPersons();
    });
    connect(ui->actAdminReplicaExecute, &QAction::triggered, this, [this] {
        ExplorerEntries().RunScriptImport();
        m_dm.ReopenPersons();
    });
    connect(ui->actCalcVsego, &QAction::triggered, this, [this] { actCalcVsegoExecute(); });
    connect(ui->N10, &QAction::triggered, this, [this] {
        TfmAbout about(this);
        about.exec();
    });
    connect(ui->edPersonSearch, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!text.isEmpty())
            LocatePerson(text);
    });
}

// An action whose entry function has not been installed stays disabled.
void TExplorerForm::UpdateEntryActions()
{
    const TExplorerEntries& e = ExplorerEntries();
    const bool admin = m_info.UserLevel == 1;
    ui->actAnketaList->setEnabled(bool(e.EditPrimaryInspection));
    ui->actAnketaCard->setEnabled(bool(e.EditScriningCard));
    ui->actReportAllReports->setEnabled(bool(e.RunReportWizard));
    ui->actAdminImportLocal->setEnabled(admin && e.RunRegistryImport);
    ui->actRefreshOnePerson->setEnabled(bool(e.RunRegistryImport));
    ui->actAdminExport->setEnabled(admin && e.RunExport);
    ui->actAdminImpRefFromServer->setEnabled(admin && e.RunServerImport);
    ui->actAdminReplicaExecute->setEnabled(admin && e.RunScriptImport);
}

void TExplorerForm::ApplyAccessRule()
{
    ui->menuAdmin->menuAction()->setVisible(m_info.UserLevel == 1);
    UpdateEntryActions();
}

void TExplorerForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    ApplyAccessRule();
    try {
        OpenMainDatabase();
        actCalcVsegoExecute();
    } catch (...) {
        if (m_onFirstShown)
            m_onFirstShown();
        throw;
    }
    if (m_onFirstShown)
        m_onFirstShown();
    ui->gridPerson->setFocus();
}

void TExplorerForm::closeEvent(QCloseEvent* event)
{
    if (TDialogs::Message(TBoxType::Confirmation, "Закрыть программу ?", TButton::Yes | TButton::No) != TButton::Yes) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TExplorerForm::LoadSettings()
{
    TCommonFormHost::LoadSettings();
    const QString section = objectName();
    QList<int> sizes = ui->Splitter1->sizes();
    if (sizes.size() == 2) {
        const int width = qBound(50, m_info.ReadInteger(section, "gbPerson_width", sizes[0]), 350);
        sizes[1] += sizes[0] - width;
        sizes[0] = width;
        ui->Splitter1->setSizes(sizes);
    }
    for (int kind : {KindSheet, KindCard}) {
        QTableView* grid = Grid(kind);
        for (int i = 0; i < 3; ++i) {
            const QString key = grid->objectName() + kDocColumnFields[i] + "_width";
            grid->setColumnWidth(kDocColumns[i], m_info.ReadInteger(section, key, grid->columnWidth(kDocColumns[i])));
        }
    }
}

void TExplorerForm::SaveSettings()
{
    TCommonFormHost::SaveSettings();
    const QString section = objectName();
    m_info.WriteInteger(section, "gbPerson_width", ui->gbPerson->width());
    for (int kind : {KindSheet, KindCard}) {
        QTableView* grid = Grid(kind);
        for (int i = 0; i < 3; ++i)
            m_info.WriteInteger(section, grid->objectName() + kDocColumnFields[i] + "_width", grid->columnWidth(kDocColumns[i]));
    }
}

void TExplorerForm::actCalcVsegoExecute()
{
    m_personTotal = m_dm.CountPersons();
    ui->lblVsegoPerson->setText(QString::fromUtf8("Всего пациентов : ") + QString::number(m_personTotal));
    m_listTotal = m_dm.CountDocuments(1);
    m_cardTotal = m_dm.CountDocuments(2);
    SetTotalLabels();
}

void TExplorerForm::SetTotalLabels()
{
    ui->lblVsegoList->setText(QString::fromUtf8("Всего листов : ") + QString::number(m_listTotal));
    ui->lblVsegoCard->setText(QString::fromUtf8("Всего карт : ") + QString::number(m_cardTotal));
}

void TExplorerForm::SetTabCaptions()
{
    ui->pcDocs->setTabText(0, QString::fromUtf8("F2 - листы первичного обследования (%1)").arg(m_dm.sqlList()->rowCount()));
    ui->pcDocs->setTabText(1, QString::fromUtf8("F3 - карты скрининга (%1)").arg(m_dm.sqlCard()->rowCount()));
}

void TExplorerForm::ShowPersonNames(int row)
{
    const TPersonListModel* m = m_dm.sqlPerson();
    ui->edFirstName->setText(Upper(m->Value(row, PersonSurName)));
    ui->edName->setText(Upper(m->Value(row, PersonName)));
    ui->edSecName->setText(Upper(m->Value(row, PersonOtch)));
    const QVariant born = m->Value(row, PersonBirthday);
    ui->edBirthday->setText(born.isNull() ? QString()
                                          : QLocale().toString(QDate::fromString(born.toString().left(10), "yyyy-MM-dd"),
                                                               QLocale::ShortFormat));
    ui->edGerlSurname->setText(Upper(m->Value(row, PersonMaidenName)));
}

void TExplorerForm::BlankDetails()
{
    for (QLineEdit* e : {ui->edCityName, ui->edStreetName, ui->edHouse, ui->edFlat, ui->edPhone, ui->edAreaCode})
        e->clear();
}

void TExplorerForm::PersonRowChanged(int row)
{
    if (m_syncingGrid)
        return;
    if (m_scrollDetached) {
        ShowPersonNames(row);
        return;
    }
    m_dm.SetPersonRow(row);
}

void TExplorerForm::PersonChanged()
{
    ShowCurrentPerson();
    SetTabCaptions();
}

void TExplorerForm::ShowCurrentPerson()
{
    const TPersonRow& p = m_dm.CurrentPerson();
    const TPersonDetails& d = m_dm.Details();
    const int row = m_dm.PersonRow();
    if (row >= 0 && ui->gridPerson->currentIndex().row() != row) {
        m_syncingGrid = true;
        ui->gridPerson->setCurrentIndex(m_dm.sqlPerson()->index(row, PersonSurName));
        ui->gridPerson->scrollTo(ui->gridPerson->currentIndex());
        m_syncingGrid = false;
    }
    if (row >= 0)
        ShowPersonNames(row);
    else
        for (QLineEdit* e : {ui->edFirstName, ui->edName, ui->edSecName, ui->edBirthday, ui->edGerlSurname})
            e->clear();
    ui->edAreaCode->setText(Upper(d.AreaCode));
    ui->edCityName->setText(Upper(d.City));
    ui->edStreetName->setText(Upper(d.Street));
    ui->edHouse->setText(Upper(d.House));
    ui->edFlat->setText(Upper(d.Flat));
    ui->edPhone->setText(Upper(p.Phone));
    const bool maiden = !p.MdnName.toString().isEmpty();
    ui->lblGerlSurname->setVisible(maiden);
    ui->edGerlSurname->setVisible(maiden);
}

bool TExplorerForm::LocatePerson(const QString& text)
{
    const int row = m_dm.LocatePersonRow(text);
    QPalette pal = ui->edPersonSearch->palette();
    if (row < 0) {
        pal.setColor(QPalette::Text, Qt::red);
        ui->edPersonSearch->setPalette(pal);
        QApplication::beep();
        return false;
    }
    pal.setColor(QPalette::Text, QApplication::palette(ui->edPersonSearch).color(QPalette::Text));
    ui->edPersonSearch->setPalette(pal);
    m_dm.SetPersonRow(row);
    return true;
}

int TExplorerForm::CurrentDocLID(int kind) const
{
    QTableView* grid = Grid(kind);
    if (grid->model()->rowCount() == 0)
        return 0;
    const int row = qMax(0, grid->currentIndex().row());
    return grid->model()->index(row, 0).data().toInt();
}

void TExplorerForm::AnketaAction(int kind)
{
    QTableView* grid = Grid(kind);
    if (grid->model()->rowCount() > 0 && !grid->hasFocus()) {
        ui->pcDocs->setCurrentIndex(kind);
        grid->setFocus();
        SelectDocumentRow(kind, qMax(0, grid->currentIndex().row()));
        return;
    }
    OpenDocument(kind, CurrentDocLID(kind));
}

bool TExplorerForm::OpenDocument(int kind, int docLID)
{
    const auto& edit = kind == KindSheet ? ExplorerEntries().EditPrimaryInspection : ExplorerEntries().EditScriningCard;
    if (!edit)
        return false;
    const QVariant prnLID = m_dm.CurrentPerson().PersonLID;
    const int result = edit(prnLID.toInt(), docLID);
    if (result == 2)
        return false;
    if (result == 1)
        (kind == KindSheet ? m_listTotal : m_cardTotal) += 1;
    SetTotalLabels();
    ui->pcDocs->setCurrentIndex(kind);
    Grid(kind)->setFocus();
    if (kind == KindSheet)
        m_dm.LoadSheetList(prnLID);
    else
        m_dm.LoadCardList(prnLID);
    SetTabCaptions();
    // The document just saved is the one Enter or Del acts on next: a new one has the
    // highest identifier of the patient's list.
    QAbstractItemModel* model = Grid(kind)->model();
    int row = -1, highest = 0;
    for (int r = 0; r < model->rowCount(); ++r) {
        const int lid = model->index(r, 0).data().toInt();
        if (result == 1 ? lid > highest : lid == docLID) {
            highest = lid;
            row = r;
        }
    }
    SelectDocumentRow(kind, qMax(0, row));
    return true;
}

void TExplorerForm::SelectDocumentRow(int kind, int row)
{
    QTableView* grid = Grid(kind);
    const int count = grid->model()->rowCount();
    if (count == 0)
        return;
    row = qBound(0, row, count - 1);
    grid->setCurrentIndex(grid->model()->index(row, DocDateColumn));
    grid->selectRow(row);
}

void TExplorerForm::DeleteDocument(int kind, int docLID)
{
    if (TDialogs::Message(TBoxType::Confirmation, "Удалить документ?", TButton::Yes | TButton::No) != TButton::Yes)
        return;
    const int row = Grid(kind)->currentIndex().row();
    if (kind == KindSheet)
        m_dm.DeletePrimaryInspection(docLID);
    else
        m_dm.DeleteScriningCard(docLID);
    SetTabCaptions();
    SelectDocumentRow(kind, row); // the row that took the deleted one's place
    (kind == KindSheet ? m_listTotal : m_cardTotal) -= 1;
    SetTotalLabels();
}

void TExplorerForm::ImportFromRegistry(const QString& key, bool update)
{
    if (!ExplorerEntries().RunRegistryImport)
        return;
    ExplorerEntries().RunRegistryImport({key, update ? "1" : "0"});
    m_dm.ReopenPersons();
}

void TExplorerForm::actRefreshOnePersonExecute()
{
    const QString paspor = m_dm.CurrentPerson().sqlPersonpaspor.toString().trimmed();
    // An empty key would import the whole registry, which only administrators may start.
    if (paspor.isEmpty()) {
        TDialogs::Information("Пациент не связан с базой данных поликлиники: обновлять его данные неоткуда.");
        return;
    }
    if (TDialogs::Message(TBoxType::Confirmation, "Хотите обновить информацию о пациенте?", TButton::Yes | TButton::Cancel) ==
        TButton::Yes)
        ImportFromRegistry(paspor, false);
}

void TExplorerForm::actAdminImportLocalExecute()
{
    const int answer = TDialogs::Message(TBoxType::Confirmation,
                                         "Хотите обновить данные уже имеющихся пациентов?\r\rДа - обновить имеющихся и "
                                         "загрузить новых\rНет - загрузить только новых\rОтмена - отмена действия",
                                         TButton::Yes | TButton::No | TButton::Cancel);
    if (answer == TButton::Yes)
        ImportFromRegistry(QString(), true);
    else if (answer == TButton::No)
        ImportFromRegistry(QString(), false);
}

void TExplorerForm::SearchExternalRegistry()
{
    const TExplorerEntries& e = ExplorerEntries();
    if (!e.SearchExternalRegistry)
        return;
    QString paspor;
    if (!e.SearchExternalRegistry(ui->edPersonSearch->text(), paspor))
        return;
    const int row = m_dm.LocatePersonByPaspor(paspor);
    if (row >= 0) {
        m_dm.SetPersonRow(row);
        if (TDialogs::Message(TBoxType::Confirmation, "Этот пациент уже есть! Хотите обновить по нему информацию?",
                              TButton::Yes | TButton::No) == TButton::Yes)
            ImportFromRegistry(paspor, false);
        return;
    }
    if (e.ImportOnePatient && e.ImportOnePatient(paspor)) {
        TDialogs::Information("Пациент принят успешно.");
        m_dm.ReopenPersons();
        const int found = m_dm.LocatePersonByPaspor(paspor);
        if (found >= 0)
            m_dm.SetPersonRow(found);
    } else {
        TDialogs::Error("Не удалось скопировать данные пациента.");
    }
}

bool TExplorerForm::FormKeyDown(QKeyEvent* event)
{
    QWidget* focus = QApplication::focusWidget();
    const bool inSearch = focus == ui->edPersonSearch;
    const Qt::KeyboardModifiers mods = event->modifiers();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (inSearch) {
            ui->gridPerson->setFocus();
            return true;
        }
        if (focus == ui->gridList || focus == ui->gridCard) {
            const int kind = focus == ui->gridList ? KindSheet : KindCard;
            if ((kind == KindSheet ? ui->actAnketaList : ui->actAnketaCard)->isEnabled())
                OpenDocument(kind, CurrentDocLID(kind));
            return true;
        }
        return false;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (inSearch) {
            ui->gridPerson->setFocus();
            QKeyEvent copy(QEvent::KeyPress, event->key(), mods);
            QApplication::sendEvent(ui->gridPerson, &copy);
            return true;
        }
        return false;
    case Qt::Key_Escape:
        if ((mods & Qt::ShiftModifier) || focus == ui->gridPerson)
            close();
        if (focus == ui->gridList || focus == ui->gridCard || focus == ui->edPersonSearch)
            ui->gridPerson->setFocus();
        return true;
    case Qt::Key_F2: ui->actAnketaList->trigger(); return true;
    case Qt::Key_F3: ui->actAnketaCard->trigger(); return true;
    case Qt::Key_F4:
        if (mods & Qt::AltModifier)
            return false;
        ui->actReportAllReports->trigger();
        return true;
    case Qt::Key_F5: ui->actServiceChangePassword->trigger(); return true;
    case Qt::Key_F11: ui->actServiceSettings->trigger(); return true;
    case Qt::Key_F12:
        if (!(mods & Qt::ControlModifier) && !inSearch) {
            ui->edPersonSearch->setFocus();
            ui->edPersonSearch->selectAll(); // a new surname replaces the last one
        }
        else
            SearchExternalRegistry();
        return true;
    case Qt::Key_Insert:
        if (focus == ui->gridList || focus == ui->gridCard) {
            const int kind = focus == ui->gridList ? KindSheet : KindCard;
            if ((kind == KindSheet ? ui->actAnketaList : ui->actAnketaCard)->isEnabled())
                OpenDocument(kind, 0);
            return true;
        }
        return false;
    case Qt::Key_Delete:
        if (focus == ui->gridList || focus == ui->gridCard) {
            const int kind = focus == ui->gridList ? KindSheet : KindCard;
            if (Grid(kind)->model()->rowCount() > 0)
                DeleteDocument(kind, CurrentDocLID(kind));
            return true;
        }
        return false;
    default:
        return false;
    }
}

// Holding an arrow key in the patient grid moves through many rows: only the names follow
// each row; the details are looked up once, for the row reached when the key is let go.
bool TExplorerForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->gridPerson && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            if (event->type() == QEvent::KeyPress && !m_scrollDetached) {
                m_scrollDetached = true;
                BlankDetails();
            } else if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat() && m_scrollDetached) {
                m_scrollDetached = false;
                m_dm.SetPersonRow(ui->gridPerson->currentIndex().row());
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
