#include "ui/form_ScriningCard.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Dialogs.h"
#include "app/Widget_Application.h"
#include "app/Widget_ControlUtils.h"
#include "data/Unit_DataModule.h"
#include "ui/Unit_ExplorerEntries.h"
#include "ui/Widget_DocumentControls.h"
#include "ui_form_ScriningCard.h"
#include <QKeyEvent>
#include <QTabBar>

TScrCardForm::TScrCardForm(QWidget* parent)
    : TCommonForm(parent), ui(std::make_unique<Ui::ScrCardForm>()), m_currentYear(TClock::Today().year()),
      m_commits(new TFieldCommits(this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("ScrCardForm"));
    m_pages = new TDocumentPages(ui->pcScrCard);
    m_pages->SetLeaveCheck([this] { return CommitFocused(); });
    m_medicines = new TMedicineBlock(this);
    // Pages change by F1..F8 and by mouse, never by walking the focus through the tabs.
    ui->pcScrCard->tabBar()->setFocusPolicy(Qt::NoFocus);
    // All eight captions stay in sight at 1024x768 rather than behind scroll arrows.
    QFont tabFont = ui->pcScrCard->tabBar()->font();
    tabFont.setPointSizeF(tabFont.pointSizeF() - 1);
    ui->pcScrCard->tabBar()->setFont(tabFont);
    ui->pcScrCard->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 3px; }"));
    ui->pcScrCard->tabBar()->setUsesScrollButtons(false);
    SetupHeader();
    SetupAnamnesis();
    SetupHabits();
    SetupRose();
    SetupObjective();
    SetupConclusion();
    ui->pcScrCard->setCurrentIndex(0);
    connect(ui->pcScrCard, &QTabWidget::currentChanged, this, &TScrCardForm::PCChange);
    connect(ui->btnNew, &QPushButton::clicked, this, &TScrCardForm::btnNewClick);
    connect(ui->btnUpdate, &QPushButton::clicked, this, &TScrCardForm::btnUpdateClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, [this] { done(NotSaved); });
    m_card.SetOnChange([this] { Refresh(); });
}

TScrCardForm::~TScrCardForm()
{
    DetachWindowHandlers(this);
    m_card.SetOnChange(nullptr);
}

void TScrCardForm::OpenDocument(int prnLID, int docLID)
{
    m_card.Init();
    m_card.SetDocLID(docLID);
    m_card.SetPrnLID(prnLID);
    if (docLID != 0)
        DM()->LoadScriningCard(m_card);
    FillHeader();
}

int TScrCardForm::EditDocument(int prnLID, int docLID)
{
    OpenDocument(prnLID, docLID);
    return exec();
}

void TScrCardForm::showEvent(QShowEvent* event)
{
    TCommonForm::showEvent(event);
    try {
        Refresh();
    } catch (const std::exception& e) {
        ShowApplicationException(e);
    }
}

void TScrCardForm::Refresh()
{
    const bool guard = m_guard;
    m_guard = true;
    try {
        RefreshHeader();
        RefreshAnamnesis();
        RefreshHabits();
        RefreshRose();
        RefreshObjective();
        RefreshConclusion(); // last: it reads the diagnosis table, which may fail
    } catch (...) {
        m_guard = guard;
        throw;
    }
    m_guard = guard;
}

// ---- commits ------------------------------------------------------------------------------

void TScrCardForm::OnLeave(QWidget* control, std::function<void()> commit)
{
    m_commit.insert(control, std::move(commit));
    m_commits->OnLeave(control, [this, control] {
        if (m_skipLeave)
            return;
        try {
            RunCommit(control);
        } catch (const std::exception&) {
            // already shown by RunCommit; the event goes on
        }
    });
}

TOneOfGroup* TScrCardForm::AnswerGroup(const QString& member,
                                       std::initializer_list<std::pair<QCheckBox*, double>> boxes,
                                       std::function<void(double)> store)
{
    auto* g = new TOneOfGroup(this);
    m_groups.insert(member, g);
    for (const auto& [box, value] : boxes) {
        g->Add(box, value);
        QCheckBox* b = box;
        OnLeave(b, [g, b, store] {
            if (const auto v = g->ValueOfTicked(b))
                store(*v);
        });
    }
    return g;
}

void TScrCardForm::RunCommit(QWidget* control)
{
    const auto it = m_commit.constFind(control);
    if (it == m_commit.constEnd())
        return;
    const std::function<void()> commit = it.value();
    try {
        CommitField(control, commit);
    } catch (const std::exception& e) {
        // The red field has the focus back; a second leaving while the box is up would
        // only report the same error again.
        const bool skip = m_skipLeave;
        m_skipLeave = true;
        ShowApplicationException(e);
        m_skipLeave = skip;
        throw;
    }
}

bool TScrCardForm::TryCommit(QWidget* control, const std::function<void()>& commit)
{
    try {
        CommitField(control, commit);
    } catch (const std::exception& e) {
        ShowApplicationException(e);
        return false;
    }
    return true;
}

bool TScrCardForm::CommitFocused()
{
    QWidget* focused = focusWidget();
    if (!focused || !m_commit.contains(focused))
        return true;
    try {
        RunCommit(focused);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

// ---- keys and pages -----------------------------------------------------------------------

void TScrCardForm::ShowPage(int index)
{
    // The page switch commits the focused field first (its leave check); the field's own
    // leaving as its page goes away would only commit it again.
    m_skipLeave = true;
    m_pages->SwitchTo(index);
    m_skipLeave = false;
}

void TScrCardForm::PCChange(int index)
{
    if (index == ui->pcScrCard->indexOf(ui->tsConclusion))
        ComputeConclusion();
}

bool TScrCardForm::FormKeyDown(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int key = event->key();
    if (ctrl && key == Qt::Key_F5) {
        btnUpdateClick();
        return true;
    }
    if (ctrl && key == Qt::Key_F6) {
        btnNewClick();
        return true;
    }
    const int page = TDocumentPages::PageOfKey(event);
    if (page >= 0 && !ctrl) {
        const bool again = page == ui->pcScrCard->currentIndex();
        ShowPage(page);
        if (again && ui->pcScrCard->currentWidget() == ui->tsConclusion)
            ComputeConclusion();
        return true;
    }
    QWidget* focused = focusWidget();
    if (key == Qt::Key_F10 && focused == ui->edPost) {
        edPostKeyDown();
        return true;
    }
    if (const int row = m_medicines->RowOf(focused)) {
        if (key == Qt::Key_F10) {
            PickMedicine(row);
            return true;
        }
        if (key == Qt::Key_Delete && ctrl) {
            ClearMedicine(row);
            return true;
        }
    }
    if (DecimalKey(event))
        return true;
    if (ui->pcScrCard->currentWidget() == ui->tsConclusion)
        return ConclusionKeyDown(event);
    return TCommonForm::FormKeyDown(event);
}

// ---- saving and closing -------------------------------------------------------------------

void TScrCardForm::Save(TResult result)
{
    QPushButton* button = result == SavedAsNew ? ui->btnNew : ui->btnUpdate;
    if (!CommitFocused())
        return;
    m_skipLeave = true;
    button->setFocus(Qt::OtherFocusReason);
    m_skipLeave = false;
    if (!ValidateCard())
        return;
    const QString question = result == SavedAsNew ? QStringLiteral("Записать как НОВЫЙ ДОКУМЕНТ ?")
                                                  : QStringLiteral("Обновить информацию в Базе Данных ?");
    if (!AskSave(question))
        return;
    try {
        if (result == Updated && m_card.DocLID() != 0)
            DM()->UpdateScriningCard(m_card);
        else
            DM()->InsertScriningCard(m_card);
    } catch (const std::exception& e) {
        ShowApplicationException(e); // the window stays open with every entry
        return;
    }
    m_saved = true;
    done(result);
}

void TScrCardForm::btnNewClick() { Save(SavedAsNew); }
void TScrCardForm::btnUpdateClick() { Save(Updated); }

void TScrCardForm::done(int result)
{
    if (m_saved) {
        TCommonForm::done(result);
        return;
    }
    if (!AskClose(QStringLiteral("Закрыть КАРТУ СКРИНИНГА?")))
        return;
    TCommonForm::done(NotSaved);
}

void RegisterScriningCardWindow()
{
    ExplorerEntries().EditScriningCard = [](int prnLID, int docLID) {
        TScrCardForm form(QApplication::activeWindow());
        return form.EditDocument(prnLID, docLID);
    };
}
