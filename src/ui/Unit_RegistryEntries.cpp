#include "ui/Unit_RegistryEntries.h"
#include "app/Unit_GlobalObjects.h"
#include "exchange/RplRegistry.h"
#include "ui/Replications.h"
#include "ui/Unit_ExplorerEntries.h"
#include "ui/form_ExternalSearch.h"
#include <QApplication>

bool RunRegistryImport(const QStringList& params)
{
    return RunExchange([&params] { return TRplThread::Create<TImExternalToWorkstation>(false, *AppInfo(), params); });
}

bool SearchExternalRegistry(const QString& surname, QString& paspor)
{
    TExternalSearchForm search(QApplication::activeWindow());
    if (!search.RunSearch(0, {surname}))
        return false;
    paspor = search.ChosenPaspor();
    return true;
}

void RegisterRegistryEntries()
{
    TExplorerEntries& e = ExplorerEntries();
    e.RunRegistryImport = [](const QStringList& params) { return RunRegistryImport(params); };
    e.ImportOnePatient = [](const QString& paspor) { return ImportOnePatient(paspor); };
    e.SearchExternalRegistry = [](const QString& surname, QString& paspor) { return SearchExternalRegistry(surname, paspor); };
}
