#include "ui/Replications.h"
#include "app/Unit_GlobalObjects.h"
#include "exchange/RplExport.h"
#include "exchange/RplImport.h"
#include "ui/Unit_ExplorerEntries.h"
#include "ui/form_Replicator.h"
#include <QApplication>

bool RunExchange(const std::function<std::unique_ptr<TRplThread>()>& createOperation)
{
    bool ok = false;
    auto window = std::make_unique<TReplicator>(QApplication::activeWindow());
    SetReplicator(window.get());
    try {
        window->SetCloseAllowed(false);
        std::unique_ptr<TRplThread> operation = createOperation();
        window->SetOperation(operation.get());
        const int result = window->exec();
        window->SetOperation(nullptr);
        operation.reset();
        ok = result == TRplWindow::ResultOK;
    } catch (const std::exception& e) {
        window->hide();
        ShowExceptionMessage(e);
        ok = false;
    }
    SetReplicator(nullptr);
    window.reset();
    return ok;
}

bool RunExport()
{
    return RunExchange([] { return TRplThread::Create<TExWorkstationToServer>(false, *AppInfo()); });
}

bool RunServerImport()
{
    return RunExchange([] { return TRplThread::Create<TImServerToWorkstation>(false, *AppInfo()); });
}

bool RunScriptImport()
{
    return RunExchange([] { return TRplThread::Create<TImScriptToWorkstation>(false, *AppInfo()); });
}

void RegisterExchangeEntries()
{
    TExplorerEntries& e = ExplorerEntries();
    e.RunExport = [] { return RunExport(); };
    e.RunServerImport = [] { return RunServerImport(); };
    e.RunScriptImport = [] { return RunScriptImport(); };
}
