#include "exchange/RplImport.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_Database.h"
#include "exchange/StrConst.h"
#include "exchange/Unit_Archive.h"
#include "exchange/WIEDataModule.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStringDecoder>

namespace {
QString Text(const char* s) { return QString::fromUtf8(s); }
QString Quoted(const QString& name) { return '"' + QString(name).replace('"', "\"\"") + '"'; }

QString TrimLine(const QString& line)
{
    const auto blank = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
    qsizetype b = 0, e = line.size();
    while (b < e && blank(line[b]))
        ++b;
    while (e > b && blank(line[e - 1]))
        --e;
    return line.mid(b, e - b);
}

QStringList ColumnsOf(QSqlDatabase& db, const QString& table)
{
    QSqlQuery q(db);
    TDatabase::Exec(q, "pragma table_info(" + Quoted(table) + ")");
    QStringList cols;
    while (q.next())
        cols << q.value(1).toString();
    return cols;
}

QString TableName(QSqlDatabase& db, const QString& table)
{
    QSqlQuery q(db);
    TDatabase::Prepare(q, "select name from sqlite_master where type = 'table' and lower(name) = lower(:t)");
    q.bindValue(":t", table);
    TDatabase::Exec(q);
    return q.next() ? q.value(0).toString() : QString();
}

bool SameColumns(const QStringList& a, const QStringList& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].compare(b[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

// Runs the main connection's close and reopen around a scope, in the main thread.
class TMainConnectionClosed {
public:
    TMainConnectionClosed() { InMainThread([] { CloseMainDatabase(); }); }
    ~TMainConnectionClosed()
    {
        try {
            InMainThread([] { OpenMainDatabase(); });
        } catch (...) {
            // The main window reports a connection that cannot come back at its next use.
        }
    }
};
} // namespace

QStringList SplitScript(const QStringList& lines)
{
    QStringList statements;
    QStringList current;
    const auto finish = [&] {
        if (!current.isEmpty())
            statements << current.join('\n');
        current.clear();
    };
    for (const QString& raw : lines) {
        const QString line = TrimLine(raw);
        if (line.isEmpty())
            continue;
        const qsizetype semicolon = line.indexOf(';');
        if (semicolon >= 0) {
            const QString before = line.left(semicolon);
            if (!TrimLine(before).isEmpty())
                current << before;
            finish();
            const QString after = TrimLine(line.mid(semicolon + 1));
            if (!after.isEmpty())
                current << after;
        } else if (line == "/") {
            finish();
        } else {
            current << line;
        }
    }
    finish();
    return statements;
}

QString ReadScriptText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1251("windows-1251");
    return cp1251.isValid() ? QString(cp1251.decode(bytes)) : QString::fromLatin1(bytes);
}

// ---- common opening -------------------------------------------------------------------------

void TImportOperation::OpenFile(const char* filter)
{
    Log(Text(RplText::ImportLogTitle));
    Log(Text(RplText::Separator));
    QString path = m_presetFile;
    if (path.isEmpty()) {
        const QString start = Info().ImportDBPath();
        InMainThread([&] { path = TDialogs::OpenFile(Text(RplText::OpenCaption), Text(filter), start); });
    }
    if (path.isEmpty())
        throw ERplException(Text(RplText::Interrupted));
    m_filePath = path;
    m_fileName = QFileInfo(path).fileName();
}

void TImportOperation::BeginWork()
{
    m_position = 0;
    UpdateProgress();
    CheckTerminated();
}

void TImportOperation::DeleteImportedFile()
{
    m_position = 100;
    m_maximum = 100;
    UpdateProgress();
    Log(Text(RplText::DeletingReplication) + m_filePath);
    DeleteFiles(m_filePath);
}

// ---- server archive ---------------------------------------------------------------------------

void TImServerToWorkstation::InitWindow()
{
    Window().SetTitle(Text(RplText::ServerImportTitle));
    Window().ClearLog();
}

void TImServerToWorkstation::Prepare()
{
    if (Info().IsServer())
        throw ERplException(Text(RplText::NotAvailable));
    TImportOperation::Prepare();
}

void TImServerToWorkstation::Execute()
{
    OpenFile(RplText::ServerArchiveFilter);
    CheckServiceInfo(TArchiver::ReadArchiveComment(m_filePath), m_fileName);
    BeginWork();
    {
        TMainConnectionClosed closed;
        Log(Text(RplText::Extracting));
        // The table files go to a folder of their own first, so that nothing of the database
        // changes unless every table of the archive can be replaced.
        const QString staging = Info().MainDBPath() + ".s2w_import";
        QDir(staging).removeRecursively();
        if (!QDir().mkpath(staging))
            throw ERplException(Text(RplText::ExtractFailed));
        try {
            if (TArchiver::ExtractArchive(staging, m_filePath) != TArchiver::Ok)
                throw ERplException(Text(RplText::ExtractFailed));
            ReplaceTables(staging);
        } catch (...) {
            QDir(staging).removeRecursively();
            throw;
        }
        QDir(staging).removeRecursively();
    }
    DeleteImportedFile();
    Log(Text(RplText::Separator));
    Log(Text(RplText::ImportDone));
    m_result = TRplWindow::ResultOK;
}

void TImServerToWorkstation::ReplaceTables(const QString& folder)
{
    QSqlDatabase& db = DataModule().MainDb();
    struct TTableFile {
        QString file, table, sourceTable;
        QStringList columns;
    };
    std::vector<TTableFile> tables;
    QDirIterator it(folder, {"*.db", "*.DB"}, QDir::Files, QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    files.sort();
    // Every table file is checked before anything is written.
    for (const QString& file : files) {
        TTableFile t;
        t.file = file;
        const QString base = QFileInfo(file).completeBaseName();
        t.table = TableName(db, base);
        if (t.table.isEmpty())
            throw ERplException(QString("Таблица %1 из архива отсутствует в базе данных рабочей станции").arg(base));
        try {
            TScopedConnection c("velta_import_source", file, TDatabase::ReadOnly);
            t.sourceTable = TableName(c.Db(), base);
            if (t.sourceTable.isEmpty())
                throw ERplException(QString("Файл %1 архива не содержит таблицу %2").arg(QFileInfo(file).fileName(), base));
            t.columns = ColumnsOf(c.Db(), t.sourceTable);
        } catch (const ERplException&) {
            throw;
        } catch (const std::exception& e) {
            throw ERplException(QString("Файл таблицы %1 в архиве повреждён или не является таблицей базы данных: %2")
                                    .arg(base, ExceptionText(e)));
        }
        if (!SameColumns(t.columns, ColumnsOf(db, t.table)))
            throw ERplException(QString("Поля таблицы %1 в архиве не совпадают с полями таблицы рабочей станции").arg(base));
        tables.push_back(t);
    }

    m_backup = Info().MainDBPath() + "velta_" + TClock::Now().toString("yyyyMMdd_hhmmss") + ".db";
    QFile::remove(m_backup);
    {
        QSqlQuery q(db);
        TDatabase::Prepare(q, "vacuum into :file");
        q.bindValue(":file", m_backup);
        TDatabase::Exec(q);
    }
    Log("Копия базы данных до замены справочников: " + m_backup);

    m_maximum = int(tables.size());
    m_position = 0;
    TDatabase::Transaction(db);
    try {
        for (const TTableFile& t : tables) {
            TScopedConnection c("velta_import_source", t.file, TDatabase::ReadOnly);
            QStringList quoted;
            for (const QString& col : t.columns)
                quoted << Quoted(col);
            QSqlQuery del(db);
            TDatabase::Exec(del, "delete from " + Quoted(t.table));
            QSqlQuery src(c.Db());
            src.setForwardOnly(true);
            TDatabase::Exec(src, "select " + quoted.join(", ") + " from " + Quoted(t.sourceTable));
            QSqlQuery ins(db);
            TDatabase::Prepare(ins, "insert into " + Quoted(t.table) + " (" + quoted.join(", ") + ") values (" +
                                        QStringList(t.columns.size(), "?").join(", ") + ")");
            const int n = int(t.columns.size());
            while (src.next()) {
                for (int i = 0; i < n; ++i)
                    ins.bindValue(i, src.value(i));
                try {
                    TDatabase::Exec(ins);
                } catch (const std::exception& e) {
                    throw ERplException(QString("Таблица %1: %2").arg(t.table, ExceptionText(e)));
                }
            }
            ++m_position;
            UpdateProgress();
        }
        CheckTerminated();
        TDatabase::Commit(db);
    } catch (...) {
        TDatabase::Rollback(db);
        throw;
    }
}

// ---- SQL script -------------------------------------------------------------------------------

void TImScriptToWorkstation::InitWindow()
{
    Window().SetTitle(Text(RplText::ScriptImportTitle));
    Window().ClearLog();
}

void TImScriptToWorkstation::Execute()
{
    OpenFile(RplText::ScriptFilter);
    QFile f(m_filePath);
    if (!f.open(QIODevice::ReadOnly))
        throw EFileError(QString("Не удаётся прочитать файл \"%1\": %2").arg(m_filePath, f.errorString()));
    const QString text = ReadScriptText(f.readAll());
    f.close();
    QStringList lines = QString(text).replace("\r\n", "\n").replace('\r', '\n').split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() < 2)
        throw ERplException(Text(RplText::ListIndexOutOfBounds).arg(1));
    CheckServiceInfo(lines[1], m_fileName);
    BeginWork();

    Log(Text(RplText::RunningScript));
    Log(lines.join('\n'));
    const QStringList statements = SplitScript(lines);
    if (statements.isEmpty())
        throw ERplException(Text(RplText::ListIndexOutOfBounds).arg(-1));

    // The whole script or nothing of it: a script run again after a failure starts afresh.
    QSqlDatabase& db = DataModule().MainDb();
    TDatabase::Transaction(db);
    try {
        m_maximum = int(statements.size());
        for (int i = 0; i < statements.size(); ++i) {
            QSqlQuery q(db);
            if (!q.exec(statements[i])) {
                const QString error = TDatabase::EngineText(q);
                Log(QString("Ошибка в операторе %1 скрипта (изменения скрипта отменены):").arg(i + 1));
                Log(statements[i]);
                throw EDatabaseError(error);
            }
            m_position = i + 1;
            UpdateProgress();
            CheckTerminated();
        }
        TDatabase::Commit(db);
    } catch (...) {
        TDatabase::Rollback(db);
        throw;
    }
    DeleteImportedFile();
    Log(Text(RplText::Separator));
    Log(Text(RplText::ScriptImportDone));
    m_result = TRplWindow::ResultOK;
}
