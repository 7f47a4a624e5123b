#pragma once
// velta-admin import-registry FOLDER REGISTRY_FOLDER [--key KEY] [--update] [--operator NAME]
// The registry import without a screen: FOLDER holds velta.db, REGISTRY_FOLDER the
// polyclinic's dBase files. The log lines go to stdout (and to the exchange log beside the
// program); a failure exits non-zero with its Russian message on stderr.
#include <QStringList>

// args: what follows the command's name. Returns the exit code.
int RunAdminRegistryCommand(const QStringList& args);
extern const char* const kRegistryCommandUsage;
