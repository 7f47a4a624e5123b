#pragma once
// Connections to the workstation database (one SQLite file, velta.db) and to the small
// SQLite table files of the exchange. Every connection gets Unicode-aware upper() and
// lower() and the collation UNOCASE, which compares Cyrillic without regard to case:
// SQLite's own functions and NOCASE fold ASCII only.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

class TDatabase {
public:
    enum Mode { ReadWrite, ReadOnly, Create };
    static constexpr const char* CaseInsensitiveCollation = "UNOCASE";

    // Opens (or, with Create, makes) the database file under a connection name of its own.
    // ReadWrite and ReadOnly refuse a missing file. Throws EDatabaseError.
    static QSqlDatabase Open(const QString& connectionName, const QString& file, Mode mode = ReadWrite);
    static void Close(const QString& connectionName);
    static void RegisterFunctions(QSqlDatabase& db);

    // Run a statement; an engine error becomes EDatabaseError with the engine's text.
    static void Exec(QSqlQuery& q, const QString& sql);
    static void Prepare(QSqlQuery& q, const QString& sql);
    static void Exec(QSqlQuery& q);
    static void Exec(QSqlDatabase& db, const QString& sql);
    static void Transaction(QSqlDatabase& db);
    static void Commit(QSqlDatabase& db);
    static void Rollback(QSqlDatabase& db);
    // True while a transaction is open on the connection (SQLite is not in autocommit).
    static bool InTransaction(QSqlDatabase& db);

    // True when the file exists, is a database and holds the table. A file that is not a
    // database raises EDatabaseError with the engine's message.
    static bool HasWorkstationTable(const QString& file, const QString& table);
    static bool TableExists(QSqlDatabase& db, const QString& table);
    static QString EngineText(const QSqlQuery& q);

    // Unicode upper case, as the collation and upper() compare.
    static QString Fold(const QString& s) { return s.toUpper(); }
};

// A connection that is closed and removed when the scope ends.
class TScopedConnection {
public:
    TScopedConnection(const QString& name, const QString& file, TDatabase::Mode mode = TDatabase::ReadWrite);
    ~TScopedConnection();
    TScopedConnection(const TScopedConnection&) = delete;
    TScopedConnection& operator=(const TScopedConnection&) = delete;
    QSqlDatabase& Db() { return m_db; }
private:
    QString m_name;
    QSqlDatabase m_db;
};
