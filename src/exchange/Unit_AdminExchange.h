#pragma once
// The exchanges without a screen, for automation (velta-admin):
//   export FOLDER OUT_FOLDER [--from yyyy-mm-dd] [--operator NAME]
//   import-server FOLDER FILE [--operator NAME]
//   import-script FOLDER FILE [--operator NAME]
//   import-registry FOLDER REGISTRY_FOLDER [--key KEY] [--update] [--operator NAME]
// FOLDER holds velta.db. The login context is the database's administrator, or the operator
// named; a database without operators runs as a first start (workstation 0). The settings
// are those of the workstation program beside the tool (its settings file and aliases).
// Log lines go to stdout and to the exchange log; a failure exits non-zero with the
// message on stderr.
#include <QString>
#include <QStringList>

bool IsAdminExchangeCommand(const QString& command);
QString AdminExchangeUsage();
// args: the command and its arguments. veltaExecutable: the workstation program whose
// settings file and alias registry are used. Returns the exit code.
int RunAdminExchangeCommand(const QStringList& args, const QString& veltaExecutable);
