#include "ui/Widget_DocumentControls.h"
#include "app/Unit_Dialogs.h"
#include "app/Widget_Application.h"
#include "data/Unit_DataModule.h"
#include "ui/form_reference.h"
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

// ---- TFieldCommits ------------------------------------------------------------------------

TFieldCommits::TFieldCommits(QObject* parent) : QObject(parent) {}

void TFieldCommits::Watch(QWidget* control)
{
    if (m_leave.contains(control) || m_enter.contains(control))
        return;
    control->installEventFilter(this);
    connect(control, &QObject::destroyed, this, [this](QObject* o) {
        m_leave.remove(o);
        m_enter.remove(o);
    });
}

void TFieldCommits::OnLeave(QWidget* control, std::function<void()> commit)
{
    Watch(control);
    m_leave.insert(control, std::move(commit));
}

void TFieldCommits::OnEnter(QWidget* control, std::function<void()> action)
{
    Watch(control);
    m_enter.insert(control, std::move(action));
}

bool TFieldCommits::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusOut && event->type() != QEvent::FocusIn)
        return false;
    // Losing the focus to another window (a box, the picker) or to a popup is no leaving:
    // the operator comes back to the same field, and an error box would otherwise report
    // its own commit again and again.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    auto& handlers = event->type() == QEvent::FocusOut ? m_leave : m_enter;
    const auto it = handlers.constFind(watched);
    if (it != handlers.constEnd()) {
        const std::function<void()> handler = it.value(); // may re-register while running
        handler();
    }
    return false;
}

bool TFieldCommits::CommitNow(QWidget* control)
{
    const auto it = m_leave.constFind(control);
    if (!control || it == m_leave.constEnd())
        return true;
    try {
        const std::function<void()> commit = it.value();
        commit();
    } catch (const std::exception& e) {
        ShowApplicationException(e);
        return false;
    }
    return true;
}

// ---- TOneOfGroup --------------------------------------------------------------------------

TOneOfGroup::TOneOfGroup(QObject* parent) : QObject(parent) {}

void TOneOfGroup::Add(QCheckBox* box, double value)
{
    m_boxes.append(box);
    m_values.append(value);
    // clicked() comes only from the operator (or click()), never from setChecked.
    connect(box, &QCheckBox::clicked, this, [this, box] { BoxClicked(box); });
}

bool TOneOfGroup::Contains(const QObject* box) const
{
    for (QCheckBox* b : m_boxes)
        if (b == box)
            return true;
    return false;
}

double TOneOfGroup::ValueOf(const QCheckBox* box) const
{
    for (int i = 0; i < m_boxes.size(); ++i)
        if (m_boxes[i] == box)
            return m_values[i];
    return 0;
}

std::optional<double> TOneOfGroup::ValueOfTicked(const QCheckBox* box) const
{
    if (!box->isChecked() || !Contains(box))
        return std::nullopt;
    return ValueOf(box);
}

std::optional<double> TOneOfGroup::Value() const
{
    for (int i = 0; i < m_boxes.size(); ++i)
        if (m_boxes[i]->isChecked())
            return m_values[i];
    return std::nullopt;
}

void TOneOfGroup::Select(QCheckBox* box)
{
    if (m_guard)
        return;
    m_guard = true;
    // The ticked box last, so that a toggled() handler sees the final state.
    for (QCheckBox* b : m_boxes)
        if (b != box)
            b->setChecked(false);
    box->setChecked(true);
    m_guard = false;
}

void TOneOfGroup::SetValue(double value)
{
    for (int i = 0; i < m_boxes.size(); ++i)
        if (m_values[i] == value) {
            Select(m_boxes[i]);
            return;
        }
}

void TOneOfGroup::BoxClicked(QCheckBox* box)
{
    if (m_guard)
        return;
    Select(box);
    emit Selected(box, ValueOf(box));
}

// ---- three-state boxes ---------------------------------------------------------------------

QStringList ScreeningTriStateCaptions()
{
    return {QStringLiteral("нет"), QStringLiteral("да"), QStringLiteral("не знаю")};
}

void MakeTriState(QCheckBox* box, const QStringList& captions)
{
    box->setTristate(true);
    if (captions.size() != 3)
        return;
    const auto caption = [box, captions] { box->setText(captions[TriStateOf(box)]); };
    QObject::connect(box, &QCheckBox::stateChanged, box, caption);
    caption();
}

void SetTriState(QCheckBox* box, int value)
{
    switch (value) {
    case 0: box->setCheckState(Qt::Unchecked); break;
    case 1: box->setCheckState(Qt::Checked); break;
    default: box->setCheckState(Qt::PartiallyChecked); break;
    }
}

int TriStateOf(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    default: return 2;
    }
}

void SetTriStateLegend(QCheckBox* yes, QCheckBox* no, QCheckBox* unknown)
{
    for (QCheckBox* b : {yes, no, unknown}) {
        b->setTristate(true);
        b->setEnabled(false);
        b->setFocusPolicy(Qt::NoFocus);
    }
    yes->setCheckState(Qt::Checked);
    no->setCheckState(Qt::Unchecked);
    unknown->setCheckState(Qt::PartiallyChecked);
}

// ---- TMedicineBlock -----------------------------------------------------------------------

TMedicineBlock::TMedicineBlock(QObject* parent) : QObject(parent) {}

void TMedicineBlock::AddRow(QLineEdit* name, QLineEdit* dose, QLineEdit* count, QLineEdit* dayBack)
{
    m_rows.append({name, dose, count, dayBack});
    name->setReadOnly(true);
    for (QLineEdit* e : Edits(RowCount()))
        e->installEventFilter(this);
}

bool TMedicineBlock::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        if (const int row = RowOf(watched))
            m_current = row;
    return false;
}

const TMedicineBlock::TRow* TMedicineBlock::Row(int row) const
{
    return row >= 1 && row <= RowCount() ? &m_rows[row - 1] : nullptr;
}

int TMedicineBlock::RowOf(const QObject* widget) const
{
    for (int i = 1; i <= RowCount(); ++i)
        for (QLineEdit* e : Edits(i))
            if (e == widget)
                return i;
    return 0;
}

QLineEdit* TMedicineBlock::Name(int row) const { return Row(row) ? Row(row)->Name : nullptr; }
QLineEdit* TMedicineBlock::Dose(int row) const { return Row(row) ? Row(row)->Dose : nullptr; }
QLineEdit* TMedicineBlock::Count(int row) const { return Row(row) ? Row(row)->Count : nullptr; }
QLineEdit* TMedicineBlock::DayBack(int row) const { return Row(row) ? Row(row)->DayBack : nullptr; }

QList<QLineEdit*> TMedicineBlock::Edits(int row) const
{
    const TRow* r = Row(row);
    if (!r)
        return {};
    QList<QLineEdit*> edits{r->Name, r->Dose, r->Count};
    if (r->DayBack)
        edits.append(r->DayBack);
    return edits;
}

void TMedicineBlock::ShowMedicine(int row, const QVariant& mprGID)
{
    QLineEdit* name = Name(row);
    if (!name)
        return;
    QString text;
    if (!mprGID.isNull() && mprGID.toInt() > 0 && DM()) {
        DM()->LookupMedicine(mprGID);
        if (DM()->SQL().next())
            text = DM()->SQL().value("MprName1").toString();
    }
    name->setText(text);
}

void TMedicineBlock::ClearRow(int row)
{
    for (QLineEdit* e : Edits(row))
        e->clear();
}

void TMedicineBlock::ClearAll()
{
    for (int i = 1; i <= RowCount(); ++i)
        ClearRow(i);
}

std::optional<int> TMedicineBlock::PickMedicine(int row, QWidget* dialogParent, const QString& text)
{
    if (!Row(row))
        return std::nullopt;
    TReferenceForm picker(dialogParent);
    const TReferenceChoice choice = picker.PickReference(TReferenceKind::Medicine, text);
    if (!choice)
        return std::nullopt;
    Name(row)->setText(choice.Row.value("mprName1").toString());
    const QVariant dose = choice.Row.value("MprDose");
    const QVariant perDay = choice.Row.value("MprDoseDay");
    Dose(row)->setText(dose.isNull() ? QString() : DecimalText(dose.toDouble()));
    Count(row)->setText(perDay.isNull() ? QString() : QString::number(perDay.toInt()));
    return choice.Id.toInt();
}

// ---- TDocumentPages -----------------------------------------------------------------------

TDocumentPages::TDocumentPages(QTabWidget* pages) : QObject(pages), m_pages(pages)
{
    pages->tabBar()->installEventFilter(this);
}

void TDocumentPages::RememberFocus()
{
    QWidget* page = m_pages->currentWidget();
    QWidget* focus = m_pages->window()->focusWidget();
    if (page && focus && page->isAncestorOf(focus))
        m_focus[m_pages->currentIndex()] = focus;
}

bool TDocumentPages::MayLeave(int index) const
{
    return index == m_pages->currentIndex() || !m_leaveCheck || m_leaveCheck();
}

bool TDocumentPages::eventFilter(QObject* watched, QEvent* event)
{
    // A tab pressed with the mouse switches pages without the focus leaving the field first.
    if (watched == m_pages->tabBar() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const int index = m_pages->tabBar()->tabAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && index >= 0 && !MayLeave(index))
            return true;
        if (index >= 0 && index != m_pages->currentIndex())
            RememberFocus();
    }
    return false;
}

bool TDocumentPages::SwitchTo(int index)
{
    if (index < 0 || index >= m_pages->count())
        return true;
    if (!MayLeave(index))
        return false;
    RememberFocus();
    m_pages->setCurrentIndex(index);
    if (QWidget* w = m_focus.value(index))
        if (w->isVisible() && w->isEnabled())
            w->setFocus(Qt::OtherFocusReason);
    return true;
}

int TDocumentPages::PageOfKey(const QKeyEvent* event)
{
    const int key = event->key();
    return key >= Qt::Key_F1 && key <= Qt::Key_F8 ? key - Qt::Key_F1 : -1;
}

// ---- texts and questions ------------------------------------------------------------------

QString NormalizeEditText(QLineEdit* edit)
{
    QString text = edit->text();
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    text = text.simplified();
    if (text != edit->text())
        edit->setText(text);
    return text;
}

QString DecimalText(double value)
{
    QLocale locale;
    // The text is read back by GetFloatValue, which takes no group separators.
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}

bool AskSave(const QString& question)
{
    return TDialogs::Message(TBoxType::Confirmation, question, TButton::Yes | TButton::No | TButton::Cancel) ==
           TButton::Yes;
}

bool AskClose(const QString& question)
{
    return TDialogs::Message(TBoxType::Confirmation, question, TButton::Yes | TButton::No) == TButton::Yes;
}
