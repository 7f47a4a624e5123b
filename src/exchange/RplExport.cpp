#include "exchange/RplExport.h"
#include "app/Unit_Clock.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_Database.h"
#include "exchange/StrConst.h"
#include "exchange/Unit_Archive.h"
#include "exchange/WIEDataModule.h"
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
QString Text(const char* s) { return QString::fromUtf8(s); }

QString Quoted(const QString& name) { return '"' + QString(name).replace('"', "\"\"") + '"'; }

QString Stamp(const QDateTime& moment) { return moment.toString("yyyyMMddhhmmss"); }

struct TWorkstationRow {
    int WstGID = 0;
    QVariant WstRplDate;
    QString MU, BrgName, WstName;
};

// sqlWorkStationS, for the workstation of the login context.
TWorkstationRow ReadWorkstation(QSqlDatabase& db, int wstGID)
{
    QSqlQuery q(db);
    TDatabase::Prepare(q, "SELECT W.WstGID, W.WstRplDate, H.MU, B.BrgName, W.WstName "
                          "FROM (WorkStation As W LEFT JOIN Hospital As H ON (H.HspGID = W.HspGID)) "
                          "LEFT JOIN Brigade As B ON (B.BrgGID = W.BrgGID) WHERE W.WstGID = :WstGID");
    q.bindValue(":WstGID", wstGID);
    TDatabase::Exec(q);
    if (!q.next())
        throw ERplException(QString("В таблице WorkStation нет рабочей станции оператора (код %1): экспорт невозможен")
                                .arg(wstGID));
    TWorkstationRow r;
    r.WstGID = q.value(0).toInt();
    r.WstRplDate = q.value(1);
    r.MU = q.value(2).toString();
    r.BrgName = q.value(3).toString();
    r.WstName = q.value(4).toString();
    return r;
}

void RemoveDatabaseFile(const QString& file)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(file + suffix);
}
} // namespace

void TExWorkstationToServer::InitWindow()
{
    Window().SetTitle(Text(RplText::ExportTitle));
    Window().ClearLog();
}

int TExWorkstationToServer::CopyTable(QSqlDatabase& db, const QString& table, const QString& targetFile,
                                      const QDateTime& start)
{
    m_position = 0;
    UpdateProgress();

    QSqlQuery q(db);
    TDatabase::Prepare(q, "select name, sql from sqlite_master where type = 'table' and lower(name) = lower(:t)");
    q.bindValue(":t", table);
    TDatabase::Exec(q);
    if (!q.next())
        throw EDatabaseError(QString("Таблица %1 не найдена в базе данных рабочей станции").arg(table));
    const QString name = q.value(0).toString();
    const QString createSql = q.value(1).toString();
    QStringList indexSql;
    TDatabase::Prepare(q, "select sql from sqlite_master where type = 'index' and tbl_name = :t and sql is not null");
    q.bindValue(":t", name);
    TDatabase::Exec(q);
    while (q.next())
        indexSql << q.value(0).toString();
    QStringList columns;
    bool hasLastUpdate = false;
    TDatabase::Exec(q, "pragma table_info(" + Quoted(name) + ")");
    while (q.next()) {
        columns << q.value(1).toString();
        hasLastUpdate = hasLastUpdate || columns.last().compare("LastUpdate", Qt::CaseInsensitive) == 0;
    }
    q.finish();

    QString where;
    if (hasLastUpdate) {
        where = " where LastUpdate > :start";
        // Reference books never stamped count as changed at the zero moment.
        if (start <= ZeroMoment())
            where += " or LastUpdate is null or LastUpdate = ''";
    }
    const QString startText = start.toString("yyyy-MM-dd hh:mm:ss");
    TDatabase::Prepare(q, "select count(*) from " + Quoted(name) + where);
    if (hasLastUpdate)
        q.bindValue(":start", startText);
    TDatabase::Exec(q);
    m_maximum = q.next() ? q.value(0).toInt() : 0;
    q.finish();

    RemoveDatabaseFile(targetFile);
    int rows = 0;
    const QString connection = "velta_export_target";
    try {
        TScopedConnection target(connection, targetFile, TDatabase::Create);
        QSqlDatabase& tdb = target.Db();
        TDatabase::Exec(tdb, "pragma journal_mode=DELETE");
        TDatabase::Transaction(tdb);
        TDatabase::Exec(tdb, createSql);
        for (const QString& sql : indexSql)
            TDatabase::Exec(tdb, sql);

        QSqlQuery src(db);
        src.setForwardOnly(true);
        QStringList quotedColumns;
        for (const QString& c : columns)
            quotedColumns << Quoted(c);
        TDatabase::Prepare(src, "select " + quotedColumns.join(", ") + " from " + Quoted(name) + where);
        if (hasLastUpdate)
            src.bindValue(":start", startText);
        TDatabase::Exec(src);
        QSqlQuery ins(tdb);
        TDatabase::Prepare(ins, "insert into " + Quoted(name) + " (" + quotedColumns.join(", ") + ") values (" +
                                    QStringList(columns.size(), "?").join(", ") + ")");
        const int n = int(columns.size());
        while (src.next()) {
            for (int i = 0; i < n; ++i)
                ins.bindValue(i, src.value(i));
            TDatabase::Exec(ins);
            ++rows;
            ++m_position;
            UpdateProgress();
            CheckTerminated();
        }
        TDatabase::Commit(tdb);
    } catch (...) {
        RemoveDatabaseFile(targetFile);
        throw;
    }
    return rows;
}

void TExWorkstationToServer::Execute()
{
    QSqlDatabase& db = DataModule().MainDb();
    const TWorkstationRow wst = ReadWorkstation(db, Info().WstGID);

    bool custom = false;
    QDateTime picked;
    InMainThread([&] { m_confirmed = Window().AskExportStart(custom, picked); });
    if (!m_confirmed) {
        Log(Text(RplText::Cancelled));
        return;
    }
    if (custom) {
        m_start = picked.addDays(-1);
    } else {
        const QDateTime last = QDateTime::fromString(wst.WstRplDate.toString(), "yyyy-MM-dd hh:mm:ss");
        m_start = last.isValid() ? last : ZeroMoment();
    }

    const QDateTime now = TClock::Now();
    const QString stamp = Stamp(now);
    const QString folderName = SafeFileName(wst.WstName).left(12) + "_" + stamp;
    const QString exportFolder = Info().ExportDBPath();
    const QString runFolder = exportFolder + folderName;
    const QString archiveName = folderName + ".w2s";
    const QString comment = QString("%1_%2_%3_от %4")
                                .arg(wst.WstGID, 6, 10, QChar('0'))
                                .arg(Stamp(m_start), stamp, SafeFileName(wst.MU + wst.BrgName));

    if (QFileInfo::exists(runFolder))
        throw ERplException(Text(RplText::FolderExists) + "\r\n" + runFolder);
    if (!QDir().mkdir(runFolder))
        throw ERplException(Text(RplText::CannotCreateFolder) + "\r\n" + runFolder);

    try {
        if (!OpenExportLog(runFolder + "/log.txt"))
            throw EFileError(QString("Не удаётся создать журнал экспорта в папке \"%1\"").arg(runFolder));
        try {
            Log(Text(RplText::ExportTitle), true);
            Log(Text(RplText::PeriodFrom) + DateTimeToStr(m_start) + Text(RplText::PeriodTo) + DateTimeToStr(now), true);
            Log(Text(RplText::Separator), true);
            for (const QString& table : Info().ExportTableList()) {
                Log(Text(RplText::ExportingTable) + table, true);
                const int rows = CopyTable(db, table, runFolder + "/" + table + ".db", m_start);
                Log(QString::number(rows) + Text(RplText::Records), true);
                Log(QString(), true);
            }
        } catch (...) {
            try {
                CloseExportLog();
            } catch (...) {
            }
            throw;
        }
        CloseExportLog();

        Log(Text(RplText::Separator));
        Log(Text(RplText::Archiving));
        if (TArchiver::Archive(runFolder, comment, archiveName) != TArchiver::Ok)
            throw ERplException(Text(RplText::ArchiveFailed));

        Log(Text(RplText::SavingReplicationDate) + DateTimeToStr(now));
        // Only this workstation's row: the region's other workstations keep their own dates.
        QSqlQuery u(db);
        TDatabase::Prepare(u, "UPDATE WorkStation SET WstRplDate = :LastUpdate WHERE WstGID = :WstGID");
        u.bindValue(":LastUpdate", now.toString("yyyy-MM-dd hh:mm:ss"));
        u.bindValue(":WstGID", wst.WstGID);
        TDatabase::Exec(u);

        Log(Text(RplText::Separator));
        Log(Text(RplText::ExportDone));
        Log(Text(RplText::FilesReadyIn) + exportFolder);
        m_result = TRplWindow::ResultOK;
    } catch (...) {
        QDir(runFolder).removeRecursively();
        throw;
    }
    QDir(runFolder).removeRecursively();
}
