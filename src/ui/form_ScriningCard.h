#pragma once
// The screening card window: the eight questionnaire pages of one card of the current
// patient. The window only mirrors its card: a value goes into the card when the focus
// leaves its control, and every control is rewritten from the card when the window is shown
// and whenever the card reports a change. The checks, the pressure means and the computer
// conclusion are the card's; loading and storing are the data module's.
//
// The window's sources, one job each:
//   form_ScriningCard.cpp             opening, keys, pages, saving and closing
//   form_ScriningCard_Header.cpp      page 1: the patient header, family status, the post
//   form_ScriningCard_Anamnesis.cpp   pages 2 and 3: diseases, medicines, parents
//   form_ScriningCard_Habits.cpp      page 4
//   form_ScriningCard_Rose.cpp        page 5: the Rose questionnaire and its disclosure
//   form_ScriningCard_Objective.cpp   pages 6 and 7: complaints, examination, laboratory
//   form_ScriningCard_Conclusion.cpp  page 8: expert boxes, computer conclusion, dispensary
//   form_ScriningCard_Validation.cpp  the checks before saving
#include "app/form_Common.h"
#include "documents/Class_ScriningCard.h"
#include <QHash>
#include <functional>
#include <memory>

namespace Ui { class ScrCardForm; }
class QCheckBox;
class QLineEdit;
class TDocumentPages;
class TFieldCommits;
class TMedicineBlock;
class TOneOfGroup;

class TScrCardForm : public TCommonForm {
    Q_OBJECT
public:
    // What EditDocument returns.
    enum TResult { SavedAsNew = 1, Updated = 6, NotSaved = 2 };

    explicit TScrCardForm(QWidget* parent = nullptr);
    ~TScrCardForm() override;

    // Opens the card docLID (0: a new card) of the patient prnLID, who is the data module's
    // current patient, shows the window modally and returns a TResult.
    int EditDocument(int prnLID, int docLID);
    // The same without showing the window (EditDocument runs it before exec).
    void OpenDocument(int prnLID, int docLID);

    TScriningCard& Card() { return m_card; }
    Ui::ScrCardForm* Form() const { return ui.get(); }

    // Ctrl+F6 and Ctrl+F5.
    void btnNewClick();
    void btnUpdateClick();

    bool FormKeyDown(QKeyEvent* event) override;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    // Card -> controls, all pages; the card's change listener.
    void Refresh();
    // Registers the commit of a control: run when the focus leaves it, marking it valid or
    // invalid; an error goes on to the general error display.
    void OnLeave(QWidget* control, std::function<void()> commit);
    // The one-of-N answer of a card member: a box left ticked stores its value.
    TOneOfGroup* AnswerGroup(const QString& member, std::initializer_list<std::pair<QCheckBox*, double>> boxes,
                             std::function<void(double)> store);
    // Commits the focused control now; false when the card refused its value.
    bool CommitFocused();
    void RunCommit(QWidget* control);
    // A commit outside the leaving of a control: marked like one, a refusal shown at once.
    bool TryCommit(QWidget* control, const std::function<void()>& commit);
    void ShowPage(int index);
    void PCChange(int index);
    void Save(TResult result);

    // Page 1.
    void SetupHeader();
    void FillHeader();
    void RefreshHeader();
    void edPostKeyDown();
    void ShowPost(bool hasPost);
    void edPostDateCloseUp();
    // Pages 2 and 3.
    void SetupAnamnesis();
    void RefreshAnamnesis();
    void chbPrepExit();
    void PickMedicine(int row);
    void ClearMedicine(int row);
    void CommitMedicineRow(int row);
    // Page 4.
    void SetupHabits();
    void RefreshHabits();
    // Page 5.
    void SetupRose();
    void RefreshRose();
    void RoseAnswer(QCheckBox* box);
    // Answers the question with the box of this value, or leaves it blank when none has it.
    void RoseAnswerByValue(const char* question, int value);
    void RoseEffect(QCheckBox* box);
    void HideRoseFrom2();
    void edRous8Change();
    // Pages 6 and 7.
    void SetupObjective();
    void RefreshObjective();
    void ShowPressureMeans();
    // "." and "," typed into a number of page 7 give the locale's decimal separator.
    bool DecimalKey(QKeyEvent* event);
    // Page 8.
    void SetupConclusion();
    void RefreshConclusion();
    void ComputeConclusion();
    bool ConclusionKeyDown(QKeyEvent* event);
    // Before saving: false (with the page shown, the field focused and the message given)
    // when something is missing.
    bool ValidateCard();

    std::unique_ptr<Ui::ScrCardForm> ui;
    TScriningCard m_card;
    int m_currentYear;
    int m_birthYear = 0;
    bool m_guard = false;       // the window is changing its controls itself
    bool m_skipLeave = false;   // the focused control has just been committed
    bool m_saved = false;       // closing after a save asks nothing
    TFieldCommits* m_commits;
    TDocumentPages* m_pages;
    TMedicineBlock* m_medicines;
    QHash<QWidget*, std::function<void()>> m_commit;
    QHash<QString, TOneOfGroup*> m_groups; // by the name of the card's member
    QHash<QCheckBox*, int> m_expertBoxes;  // expert box -> its diagnosis
};

// Installs EditScriningCard among the main window's entries.
void RegisterScriningCardWindow();
