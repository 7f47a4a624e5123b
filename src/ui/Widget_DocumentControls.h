#pragma once
// What the two document windows (the primary inspection sheet and the screening card) share
// in their controls. Each piece is a small object owned by the window (pass the window as
// parent) or a free function; none knows the document object: the window wires values in and
// out, so the rules stay in the document.
//
//   TFieldCommits       commit on leaving a control, action on entering one
//       commits.OnLeave(ui->edHeight, [this] { CommitFloatField(ui->edHeight, ...); });
//       commits.OnEnter(ui->edPrep1, [this] { ... });
//     The commit runs when the focus moves to another control of the window (Tab, Enter, a
//     click, setFocus on the save button), not when the window merely loses activation (a
//     message box or the picker opening), so an error box cannot re-trigger the commit it
//     reports. A commit that throws goes on to the application's general error display
//     (use CommitField & co. of Widget_ControlUtils inside it for the red mark).
//
//   TOneOfGroup         N check boxes of which exactly one is ticked
//       group.Add(ui->chbSmoking0, 0); group.Add(ui->chbSmoking1, 1); ...
//       group.SetValue(sheet.Smoking());         // refresh: no box matches -> nothing changes
//       if (auto v = group.Value()) ...          // the ticked box's value
//       commits.OnLeave(box, ...) with group.ValueOfTicked(box)  // "stores only if ticked"
//     A click on any box (ticking or unticking it) leaves exactly that box ticked; the
//     programmatic changes run under the group's guard (Updating()), so handlers connected to
//     toggled() can ignore them. Selected(box, value) is emitted after a click only.
//     Values are doubles so that the card's amounts (0.05, 0.5 l) fit; integers compare exactly.
//
//   Three-state boxes   value 0 no / 1 yes / 2 unknown <-> Unchecked / Checked / PartiallyChecked
//       MakeTriState(box) or MakeTriState(box, ScreeningTriStateCaptions())
//     With captions the box's text always shows the word of its current state, whether the
//     state was set by a click or by SetTriState. A click cycles no -> unknown -> yes -> no.
//       SetTriStateLegend(yes, no, unknown): the disabled sample boxes of a legend panel.
//
//   TMedicineBlock      the two medicine rows (read-only name, dose, times a day, days ago)
//       block.AddRow(ui->edPrep1, ui->edPrep1Dose, ui->edPrep1DayDoseCount);   // row 1
//       block.ShowMedicine(1, sheet.MprGID1());  // name = MprName1 (DM()->LookupMedicine)
//       if (auto gid = block.PickMedicine(row))  // F10: the picker in medicine mode; fills
//           sheet.SetMprGID1(*gid);              //      name, dose and times a day
//       block.ClearRow(row);                     // Ctrl+Del: empties the row's edits
//     CurrentRow() is the row whose edit last received the focus (0: none yet);
//     RowOf(widget) tells whether a widget is a medicine edit. The keys themselves are the
//     window's: each window decides where F10 and Ctrl+Del count.
//
//   TDocumentPages      F1..F8 page switching with a remembered focused control per page
//       pages.SwitchTo(index);  // remembers the focus of the current page, shows the page,
//                               // focuses the control remembered for it, if any
//       TDocumentPages::PageOfKey(event)  // F1..F8 -> 0..7 (any modifiers), otherwise -1
//
//   Texts and questions
//       NormalizeEditText(edit)   blanks and control characters trimmed, inner runs -> one
//                                 blank, the text put back; returns it
//       DecimalText(v)            the shortest decimal text of v in the locale ("0", "26,1")
//       AskSave(question)         Yes / No / Cancel through TDialogs; true only on Yes
//       AskClose(question)        Yes / No through TDialogs; true only on Yes
#include <QCheckBox>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

class QKeyEvent;
class QLineEdit;
class QTabWidget;

class TFieldCommits : public QObject {
    Q_OBJECT
public:
    explicit TFieldCommits(QObject* parent = nullptr);
    void OnLeave(QWidget* control, std::function<void()> commit);
    void OnEnter(QWidget* control, std::function<void()> action);
    // The leave commit of control run now (nothing to run: true). A refused value is shown
    // by the general error display and gives false.
    bool CommitNow(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QWidget* control);
    QHash<QObject*, std::function<void()>> m_leave, m_enter;
};

class TOneOfGroup : public QObject {
    Q_OBJECT
public:
    explicit TOneOfGroup(QObject* parent = nullptr);
    void Add(QCheckBox* box, double value);
    const QList<QCheckBox*>& Boxes() const { return m_boxes; }
    bool Contains(const QObject* box) const;
    double ValueOf(const QCheckBox* box) const;
    // The box's value when it is ticked, nothing otherwise.
    std::optional<double> ValueOfTicked(const QCheckBox* box) const;
    std::optional<double> Value() const;
    // Ticks the box of exactly this value and unticks the others; no match changes nothing.
    void SetValue(double value);
    void Select(QCheckBox* box);
    bool Updating() const { return m_guard; }

signals:
    void Selected(QCheckBox* box, double value);

private:
    void BoxClicked(QCheckBox* box);
    QList<QCheckBox*> m_boxes;
    QList<double> m_values;
    bool m_guard = false;
};

// Captions in value order: no, yes, unknown.
QStringList ScreeningTriStateCaptions(); // "нет", "да", "не знаю"
void MakeTriState(QCheckBox* box, const QStringList& captions = {});
void SetTriState(QCheckBox* box, int value); // a value outside 0..2 counts as unknown
int TriStateOf(const QCheckBox* box);
void SetTriStateLegend(QCheckBox* yes, QCheckBox* no, QCheckBox* unknown);

class TMedicineBlock : public QObject {
    Q_OBJECT
public:
    explicit TMedicineBlock(QObject* parent = nullptr);
    // Rows are numbered from 1 in the order added. dayBack: the card's "дней назад".
    void AddRow(QLineEdit* name, QLineEdit* dose, QLineEdit* count, QLineEdit* dayBack = nullptr);
    int RowCount() const { return int(m_rows.size()); }
    int CurrentRow() const { return m_current; }
    void SetCurrentRow(int row) { m_current = row; }
    int RowOf(const QObject* widget) const; // 0: not a medicine edit
    QLineEdit* Name(int row) const;
    QLineEdit* Dose(int row) const;
    QLineEdit* Count(int row) const;
    QLineEdit* DayBack(int row) const; // null for the sheet
    QList<QLineEdit*> Edits(int row) const;

    // An identifier not above 0 (or null) empties the name.
    void ShowMedicine(int row, const QVariant& mprGID);
    void ClearRow(int row);
    void ClearAll();
    // The reference picker in medicine mode; on a pick the row's name, dose and times a day
    // show the chosen medicine's and its identifier is returned. dialogParent: the window.
    std::optional<int> PickMedicine(int row, QWidget* dialogParent, const QString& text = QString());

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TRow {
        QLineEdit *Name, *Dose, *Count, *DayBack;
    };
    const TRow* Row(int row) const;
    QList<TRow> m_rows;
    int m_current = 0;
};

class TDocumentPages : public QObject {
    Q_OBJECT
public:
    explicit TDocumentPages(QTabWidget* pages);
    // Runs before every switch to another page, by key or by the mouse on a tab: the commit
    // of the focused field. false (a refused value, already reported) keeps the page, and the
    // field keeps the focus.
    void SetLeaveCheck(std::function<bool()> check) { m_leaveCheck = std::move(check); }
    // false: the leave check kept the current page.
    bool SwitchTo(int index);
    void RememberFocus();
    static int PageOfKey(const QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MayLeave(int index) const;
    QTabWidget* m_pages;
    QHash<int, QPointer<QWidget>> m_focus;
    std::function<bool()> m_leaveCheck;
};

QString NormalizeEditText(QLineEdit* edit);
QString DecimalText(double value);
bool AskSave(const QString& question);
bool AskClose(const QString& question);
