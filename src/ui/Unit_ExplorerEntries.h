#pragma once
// The entry functions the main window calls into the document windows, the reports and the
// exchange. Each is installed by the unit that supplies it; while one is unset, the main
// window's action for it stays disabled.
#include <QString>
#include <QStringList>
#include <functional>

struct TExplorerEntries {
    // The document windows: (patient, document identifier, 0 = new) -> 1 saved as new,
    // 6 saved over the stored one, 2 closed without saving.
    std::function<int(int prnLID, int docLID)> EditPrimaryInspection;
    std::function<int(int prnLID, int docLID)> EditScriningCard;
    std::function<void()> RunReportWizard;
    // The exchange: true when the run ended with OK.
    std::function<bool()> RunExport;
    std::function<bool()> RunServerImport;
    std::function<bool()> RunScriptImport;
    std::function<bool(const QStringList& params)> RunRegistryImport; // {registry key, "1"/"0"}
    std::function<bool(const QString& paspor)> ImportOnePatient;
    // The external registry search in patient mode: true when a record was confirmed; its
    // registry key is handed back.
    std::function<bool(const QString& surname, QString& paspor)> SearchExternalRegistry;
};

TExplorerEntries& ExplorerEntries();
