#include "data/Unit_Database.h"
#include "app/Unit_Exceptions.h"
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

namespace {

QString TextArg(sqlite3_value* v)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(p, sqlite3_value_bytes(v));
}

void CaseFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv, bool upper)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QByteArray out = (upper ? TextArg(argv[0]).toUpper() : TextArg(argv[0]).toLower()).toUtf8();
    sqlite3_result_text(ctx, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

void UpperFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) { CaseFunction(ctx, argc, argv, true); }
void LowerFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) { CaseFunction(ctx, argc, argv, false); }

int CompareNoCaseFull(int n1, const void* s1, int n2, const void* s2)
{
    const QString a = QString::fromUtf8(static_cast<const char*>(s1), n1).toUpper();
    const QString b = QString::fromUtf8(static_cast<const char*>(s2), n2).toUpper();
    return QString::compare(a, b, Qt::CaseSensitive);
}

// The upper case of the next character when it is ASCII or Cyrillic, whose upper case is one
// character of the same plane; -1 for anything else, which the full comparison handles.
int NextSimpleUpper(const unsigned char*& p, const unsigned char* end)
{
    const unsigned c = *p;
    if (c < 0x80) {
        ++p;
        return c >= 'a' && c <= 'z' ? int(c - 32) : int(c);
    }
    if ((c & 0xE0) == 0xC0 && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
        const char32_t cp = ((c & 0x1F) << 6) | (p[1] & 0x3F);
        if (cp >= 0x400 && cp < 0x530) {
            p += 2;
            return int(QChar::toUpper(cp));
        }
    }
    return -1;
}

// Every index on names calls this for each entry it passes, so the register's own alphabet is
// compared in place; the result is the same as comparing the upper-cased texts.
int CompareNoCase(void*, int n1, const void* s1, int n2, const void* s2)
{
    const auto* a = static_cast<const unsigned char*>(s1);
    const auto* b = static_cast<const unsigned char*>(s2);
    const unsigned char* const aEnd = a + n1;
    const unsigned char* const bEnd = b + n2;
    while (a < aEnd && b < bEnd) {
        const int ca = NextSimpleUpper(a, aEnd);
        const int cb = NextSimpleUpper(b, bEnd);
        if (ca < 0 || cb < 0)
            return CompareNoCaseFull(n1, s1, n2, s2);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a < aEnd ? 1 : b < bEnd ? -1 : 0;
}

sqlite3* Handle(QSqlDatabase& db)
{
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

} // namespace

void TDatabase::RegisterFunctions(QSqlDatabase& db)
{
    sqlite3* h = Handle(db);
    if (!h)
        throw EDatabaseError("Нет доступа к соединению с базой данных");
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(h, "upper", 1, flags, nullptr, UpperFunction, nullptr, nullptr);
    sqlite3_create_function(h, "lower", 1, flags, nullptr, LowerFunction, nullptr, nullptr);
    sqlite3_create_collation(h, CaseInsensitiveCollation, SQLITE_UTF8, nullptr, CompareNoCase);
}

QSqlDatabase TDatabase::Open(const QString& connectionName, const QString& file, Mode mode)
{
    if (mode != Create && !QFileInfo(file).isFile())
        throw EDatabaseError(QString("Файл базы данных \"%1\" не найден").arg(file));
    if (QSqlDatabase::contains(connectionName))
        Close(connectionName);
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connectionName);
    db.setDatabaseName(file);
    db.setConnectOptions(mode == ReadOnly ? "QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"
                                          : "QSQLITE_BUSY_TIMEOUT=5000");
    if (!db.open()) {
        const QString text = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw EDatabaseError(QString("Не удаётся открыть базу данных \"%1\": %2").arg(file, text));
    }
    try {
        RegisterFunctions(db);
        // Reading the schema here makes a file that is not a database fail at once.
        QSqlQuery q(db);
        Exec(q, "select count(*) from sqlite_master");
        // Reports and lists read most of the file; mapped pages spare a system call per page
        // read, and a larger page cache keeps the register's tables in memory between them.
        Exec(q, "pragma mmap_size=268435456");
        Exec(q, "pragma cache_size=-32768");
        if (mode != ReadOnly) {
            Exec(q, "pragma journal_mode=WAL");
            Exec(q, "pragma synchronous=NORMAL");
        }
    } catch (...) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw;
    }
    return db;
}

void TDatabase::Close(const QString& connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

QString TDatabase::EngineText(const QSqlQuery& q)
{
    const QSqlError e = q.lastError();
    QString t = e.databaseText();
    if (t.isEmpty())
        t = e.text();
    return t;
}

void TDatabase::Exec(QSqlQuery& q, const QString& sql)
{
    if (!q.exec(sql))
        throw EDatabaseError(EngineText(q));
}

void TDatabase::Prepare(QSqlQuery& q, const QString& sql)
{
    if (!q.prepare(sql))
        throw EDatabaseError(EngineText(q));
}

void TDatabase::Exec(QSqlQuery& q)
{
    if (!q.exec())
        throw EDatabaseError(EngineText(q));
}

void TDatabase::Exec(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    Exec(q, sql);
}

void TDatabase::Transaction(QSqlDatabase& db)
{
    if (!db.transaction())
        throw EDatabaseError(db.lastError().text());
}

void TDatabase::Commit(QSqlDatabase& db)
{
    if (!db.commit())
        throw EDatabaseError(db.lastError().text());
}

void TDatabase::Rollback(QSqlDatabase& db) { db.rollback(); }

bool TDatabase::InTransaction(QSqlDatabase& db)
{
    sqlite3* h = Handle(db);
    return h && !sqlite3_get_autocommit(h);
}

bool TDatabase::TableExists(QSqlDatabase& db, const QString& table)
{
    QSqlQuery q(db);
    Prepare(q, "select 1 from sqlite_master where type = 'table' and lower(name) = lower(:name)");
    q.bindValue(":name", table);
    Exec(q);
    return q.next();
}

bool TDatabase::HasWorkstationTable(const QString& file, const QString& table)
{
    if (!QFileInfo(file).isFile())
        return false;
    TScopedConnection c("velta_probe", file, ReadOnly);
    return TableExists(c.Db(), table);
}

TScopedConnection::TScopedConnection(const QString& name, const QString& file, TDatabase::Mode mode)
    : m_name(name), m_db(TDatabase::Open(name, file, mode))
{
}

TScopedConnection::~TScopedConnection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}
