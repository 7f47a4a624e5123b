#pragma once
// The main window's entries into the polyclinic's registry: the registry import behind the
// exchange window (RunRegistryImport, declared with the other exchange entries), the
// single-patient import without it, and the external search.
#include <QString>

// The external search in patient mode with the surname typed so far: true when a registry
// patient was confirmed, whose key is handed back.
bool SearchExternalRegistry(const QString& surname, QString& paspor);

// Installs RunRegistryImport, ImportOnePatient and SearchExternalRegistry into ExplorerEntries().
void RegisterRegistryEntries();
