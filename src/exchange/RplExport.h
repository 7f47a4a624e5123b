#pragma once
// Export of the workstation's changed rows to the central server: one SQLite table file per
// exported table with the rows changed after the start moment, and the export log, packed
// into an archive for the server in the export folder.
#include "exchange/RplThreads.h"
#include <QSqlDatabase>

class TExWorkstationToServer : public TWstRplThread {
    Q_OBJECT
public:
    explicit TExWorkstationToServer(TAppInfo& info) : TWstRplThread(info) {}

    bool Confirmed() const { return m_confirmed; }
    const QDateTime& StartMoment() const { return m_start; }

    // Copies the rows of table from db into a new table file (same columns, types and
    // indexes); with a LastUpdate column only the rows changed after start (a start at the
    // zero moment also takes rows never stamped). Returns the rows copied.
    int CopyTable(QSqlDatabase& db, const QString& table, const QString& targetFile, const QDateTime& start);

protected:
    void InitWindow() override;
    void Execute() override;

private:
    bool m_confirmed = false;
    QDateTime m_start;
};
