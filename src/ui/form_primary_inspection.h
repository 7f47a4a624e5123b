#pragma once
// The primary inspection sheet window ("лист первичного обследования"): the operator fills in,
// reviews and saves one sheet of the current patient. The window mirrors its TPIList: every
// control is written from the sheet when the sheet reports a change, and each value goes into
// the sheet when the focus leaves its control; the sheet checks the values and computes the
// conclusion, the data module loads and stores it.
#include "app/form_Common.h"
#include "documents/Class_PIList.h"
#include <memory>

namespace Ui { class PrimaryInspectionForm; }
class QCheckBox;
class QLineEdit;
class TDocumentPages;
class TFieldCommits;
class TMedicineBlock;
class TOneOfGroup;

class TPrimaryInspectionForm : public TCommonForm {
    Q_OBJECT
public:
    // The results of EditDocument.
    enum { SavedAsNew = 1, NotSaved = 2, SavedOver = 6 };

    explicit TPrimaryInspectionForm(QWidget* parent = nullptr);
    ~TPrimaryInspectionForm() override;

    // docLID 0: a new sheet. Shows the window modally; 1, 6 or 2.
    int EditDocument(int prnLID, int docLID);
    // The opening without the modal show (EditDocument runs it first).
    void OpenDocument(int prnLID, int docLID);

    Ui::PrimaryInspectionForm* Form() const { return ui.get(); }
    const TPIList& Sheet() const { return m_sheet; }

    bool FormKeyDown(QKeyEvent* event) override;
    void btnNewClick();
    void btnUpdateClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void WireCommits();
    void WireNumber(QLineEdit* edit, std::function<void(int)> setter);
    void WireNumber(QLineEdit* edit, std::function<void(double)> setter);
    void WireBox(QCheckBox* box, std::function<void(bool)> setter);
    void WireGroup(TOneOfGroup* group, std::function<void(int)> setter);

    void Refresh();
    void RefreshConclusion();
    void FillHeader();
    void SetTitle();
    void GoToPage(int index);
    void PageChanged(int index);
    void ComputeConclusion();
    bool CheckMedicines();
    void ReportMedicineGap(const QString& text, QWidget* field);
    void PickMedicine();
    void ClearMedicineRow(int row);
    void SetMedicine(int row, int mprGID);
    void chbPreparationsToggled(bool checked);
    void chbPreparationsExit();
    bool Save(QWidget* button, const QString& question);

    std::unique_ptr<Ui::PrimaryInspectionForm> ui;
    TPIList m_sheet;
    TFieldCommits* m_commits;
    TDocumentPages* m_pages;
    TMedicineBlock* m_medicines;
    TOneOfGroup *m_smoking, *m_spirits, *m_dispanser;
    bool m_keyPageChange = false; // F1..F5 compute the conclusion themselves
};

// Installs the window as the main window's EditPrimaryInspection entry.
void RegisterPrimaryInspectionWindow();
