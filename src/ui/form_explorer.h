#pragma once
// The main window: the register of patients on the left, the current patient's details and
// document lists on the right, and every command of the workstation.
#include "app/form_Common.h"
#include <QMainWindow>
#include <memory>

namespace Ui { class ExplorerForm; }
class TDM;
class TAppInfo;
class QTableView;

class TExplorerForm : public QMainWindow, public TCommonFormHost {
    Q_OBJECT
public:
    TExplorerForm(TDM& dm, TAppInfo& info, QWidget* parent = nullptr);
    ~TExplorerForm() override;

    // The polyclinic of the login was not found: the program must end without using the window.
    bool TerminationRequested() const { return m_terminate; }
    // Run once, after the window was shown for the first time (the login window goes away).
    void SetOnFirstShown(std::function<void()> f) { m_onFirstShown = std::move(f); }

    int PersonTotal() const { return m_personTotal; }
    int ListTotal() const { return m_listTotal; }
    int CardTotal() const { return m_cardTotal; }
    Ui::ExplorerForm* Form() const { return ui.get(); }

    void LoadSettings() override;
    void SaveSettings() override;
    bool FormKeyDown(QKeyEvent* event) override;

    // Commands, also reachable through the actions.
    void actCalcVsegoExecute();
    void PersonChanged();
    bool LocatePerson(const QString& text);
    bool OpenDocument(int kind, int docLID);
    void DeleteDocument(int kind, int docLID);
    void SearchExternalRegistry();
    void ImportFromRegistry(const QString& key, bool update);
    // The identifier of the current row of a kind's list; 0 when the list is empty.
    int CurrentDocLID(int kind) const;
    // Makes row (bounded to the list) current and selected, so it shows which document Enter or
    // Del acts on.
    void SelectDocumentRow(int kind, int row);
    void ApplyAccessRule();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildCaption();
    void SetupGrids();
    void ConnectActions();
    void UpdateEntryActions();
    void SetTabCaptions();
    void SetTotalLabels();
    void ShowPersonNames(int row);
    void ShowCurrentPerson();
    void BlankDetails();
    void AnketaAction(int kind);
    QTableView* Grid(int kind) const;
    void PersonRowChanged(int row);
    void actRefreshOnePersonExecute();
    void actAdminImportLocalExecute();

    std::unique_ptr<Ui::ExplorerForm> ui;
    TDM& m_dm;
    TAppInfo& m_info;
    bool m_terminate = false;
    bool m_scrollDetached = false; // an arrow key is held in the patient grid
    bool m_syncingGrid = false;
    bool m_shownOnce = false;
    int m_personTotal = 0;
    int m_listTotal = 0;
    int m_cardTotal = 0;
    std::function<void()> m_onFirstShown;
};
