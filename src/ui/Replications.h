#pragma once
// The entry functions of the data exchange, called in the main thread by the main window and
// the start-up. Each runs one operation behind the modal exchange window and returns true
// when the window was closed with the OK result.
#include "exchange/RplThreads.h"
#include <QStringList>
#include <functional>
#include <memory>

// Creates the exchange window, constructs the operation (which starts its thread), shows the
// window until the operator closes it and destroys both. An error on the way, also one raised
// while the operation is constructed, is shown in an error box and gives false.
bool RunExchange(const std::function<std::unique_ptr<TRplThread>()>& createOperation);

bool RunExport();
bool RunServerImport();
bool RunScriptImport();
// {registry key or empty for the whole registry, "1" to update patients already present};
// defined with the registry import.
bool RunRegistryImport(const QStringList& params);

// Installs the entries above into the main window's entries (ExplorerEntries()).
void RegisterExchangeEntries();
