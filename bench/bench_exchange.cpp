// The exchange on large tables, each beside a plain SQLite baseline of the same rows:
//   export of 200,000 changed rows (100,000 patients and their addresses) with the archive,
//     beside copying the same rows into the same table files with one INSERT ... SELECT each;
//   import of a server archive with a 100,000-row reference book, beside replacing the table
//     from the same table file with one DELETE and one INSERT ... SELECT.
#include "app/Unit_Clock.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_Database.h"
#include "data/Unit_DbfWriter.h"
#include "data/Unit_Schema.h"
#include "exchange/RplExport.h"
#include "exchange/RplImport.h"
#include "exchange/Unit_Archive.h"
#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include "BenchMain.h"
#include <memory>

namespace {
constexpr int kPatients = 100000;
constexpr int kMedicines = 100000;

class TLastExportWindow : public TRplWindow {
public:
    bool AskExportStart(bool& customDate, QDateTime&) override
    {
        customDate = false;
        return true;
    }
};

void MakeRegistry(const QString& folder)
{
    using F = TDbfWriter::Field;
    for (const char* name : {"PASPOR.DBF", "S_TOWN.DBF", "S_STREET.DBF", "S_PROF.DBF", "ARH_WORK.DBF"}) {
        TDbfWriter w(folder + name, {F{"KOD_PROF", TDbfWriter::Character, 10}});
        w.Close();
    }
}

struct TExchangeBench {
    QTemporaryDir dir;
    std::unique_ptr<TAppInfo> info;
    TLastExportWindow window;

    TExchangeBench()
    {
        const QString root = dir.path() + "/";
        for (const char* sub : {"main", "poly", "import", "export", "baseline"})
            QDir(root).mkpath(sub);
        {
            TIniFile ini(root + "velta.ini");
            ini.WriteString("Workstation-To-Server Replicated Tables", "Person", QString());
            ini.WriteString("Workstation-To-Server Replicated Tables", "Address", QString());
        }
        TSchema::CreateWorkstationDatabase(root + "main");
        MakeRegistry(root + "poly/");
        info = std::make_unique<TAppInfo>(root + "velta.ini");
        info->SetMainDBPath(root + "main/");
        info->SetPolyDBPath(root + "poly/");
        info->SetImportDBPath(root + "import/");
        info->SetExportDBPath(root + "export/");
        info->WstGID = 1;
        TScopedConnection c("bench_fill", info->MainDatabaseFile());
        QSqlDatabase& db = c.Db();
        TDatabase::Transaction(db);
        TDatabase::Exec(db, "insert into Workstation(WstGID, WstName) values(1, 'Кабинет 1')");
        QSqlQuery p(db), a(db);
        TDatabase::Prepare(p, "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch, PrnSex, PrnDate, AdrLID, paspor, "
                              "CrDate, LastUpdate, WstGID, UserGID) values(?, ?, 'ИВАН', 'ПЕТРОВИЧ', 1, '1950-01-01', ?, ?, "
                              "'2026-01-01 10:00:00', '2026-06-01 10:00:00', 1, 1)");
        TDatabase::Prepare(a, "insert into Address(AdrLID, AdrHousNum, AdrRoomNum, CityLID, StrLID, CrDate, LastUpdate, "
                              "WstGID, UserGID) values(?, '12', '34', 1, 1, '2026-01-01 10:00:00', '2026-06-01 10:00:00', 1, 1)");
        for (int i = 1; i <= kPatients; ++i) {
            p.bindValue(0, i);
            p.bindValue(1, QString("ФАМИЛИЯ%1").arg(i));
            p.bindValue(2, i);
            p.bindValue(3, QString::number(100000 + i));
            TDatabase::Exec(p);
            a.bindValue(0, i);
            TDatabase::Exec(a);
        }
        TDatabase::Commit(db);
    }
    void ResetLastExport()
    {
        TScopedConnection c("bench_reset", info->MainDatabaseFile());
        TDatabase::Exec(c.Db(), "update Workstation set WstRplDate = null");
    }
};

TExchangeBench& Bench()
{
    static TExchangeBench b;
    return b;
}

void BM_Export200000Rows(benchmark::State& state)
{
    TExchangeBench& b = Bench();
    SetReplicator(&b.window);
    for (auto _ : state) {
        state.PauseTiming();
        b.ResetLastExport();
        QDir(b.info->ExportDBPath()).removeRecursively();
        QDir().mkpath(b.info->ExportDBPath());
        state.ResumeTiming();
        auto op = TRplThread::Create<TExWorkstationToServer>(true, *b.info);
        op->RunHere();
        if (op->Result() != TRplWindow::ResultOK)
            state.SkipWithError(op->LastError().toUtf8().constData());
    }
    SetReplicator(nullptr);
}
BENCHMARK(BM_Export200000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Export200000Rows_PlainSQLite(benchmark::State& state)
{
    TExchangeBench& b = Bench();
    const QString out = b.dir.path() + "/baseline/";
    for (auto _ : state) {
        TScopedConnection c("bench_plain", b.info->MainDatabaseFile());
        for (const char* table : {"Person", "Address"}) {
            const QString file = out + table + ".db";
            QFile::remove(file);
            QSqlQuery q(c.Db());
            TDatabase::Exec(q, QString("attach database '%1' as x").arg(file));
            TDatabase::Exec(q, QString("create table x.%1 as select * from main.%1 where LastUpdate > '1899-12-30 00:00:00'").arg(table));
            TDatabase::Exec(q, "detach database x");
        }
    }
}
BENCHMARK(BM_Export200000Rows_PlainSQLite)->Unit(benchmark::kMillisecond)->Iterations(3);

// A server archive with MedPreparat of 100,000 rows, made once.
QString ServerArchive()
{
    static QString archive;
    if (!archive.isEmpty())
        return archive;
    TExchangeBench& b = Bench();
    const QString folder = b.dir.path() + "/server";
    QDir().mkpath(folder);
    {
        TScopedConnection c("bench_server", folder + "/MedPreparat.db", TDatabase::Create);
        QSqlDatabase& db = c.Db();
        TDatabase::Exec(db, TSchema::CreateStatement(*TSchema::Table("MedPreparat")));
        TDatabase::Transaction(db);
        QSqlQuery q(db);
        TDatabase::Prepare(q, "insert into MedPreparat(MprGID, MprName1, MprDose, MprDoseDay, MpgGID, LastUpdate) "
                              "values(?, ?, 2.5, 2, 1, '2026-01-01 00:00:00')");
        for (int i = 1; i <= kMedicines; ++i) {
            q.bindValue(0, i);
            q.bindValue(1, QString("ПРЕПАРАТ %1").arg(i));
            TDatabase::Exec(q);
        }
        TDatabase::Commit(db);
        TDatabase::Exec(db, "pragma journal_mode=DELETE");
    }
    QFile::copy(folder + "/MedPreparat.db", b.dir.path() + "/MedPreparat.db");
    TArchiver::Archive(folder, "000001_20261201000000", "ref.s2w");
    archive = b.dir.path() + "/ref.s2w";
    return archive;
}

void BM_ServerImport100000Rows(benchmark::State& state)
{
    TExchangeBench& b = Bench();
    const QString archive = ServerArchive();
    SetReplicator(&b.window);
    for (auto _ : state) {
        state.PauseTiming();
        const QString file = b.info->ImportDBPath() + "ref.s2w";
        QFile::remove(file);
        QFile::copy(archive, file);
        for (const QFileInfo& f : QDir(b.info->MainDBPath()).entryInfoList({"velta_*.db"}))
            QFile::remove(f.absoluteFilePath());
        state.ResumeTiming();
        auto op = TRplThread::Create<TImServerToWorkstation>(true, *b.info);
        op->SetFileName(file);
        op->RunHere();
        if (op->Result() != TRplWindow::ResultOK)
            state.SkipWithError(op->LastError().toUtf8().constData());
    }
    SetReplicator(nullptr);
}
BENCHMARK(BM_ServerImport100000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ServerImport100000Rows_PlainSQLite(benchmark::State& state)
{
    TExchangeBench& b = Bench();
    ServerArchive();
    const QString tableFile = b.dir.path() + "/MedPreparat.db";
    for (auto _ : state) {
        TScopedConnection c("bench_plain", b.info->MainDatabaseFile());
        QSqlQuery q(c.Db());
        TDatabase::Exec(q, QString("attach database '%1' as x").arg(tableFile));
        TDatabase::Transaction(c.Db());
        TDatabase::Exec(q, "delete from main.MedPreparat");
        TDatabase::Exec(q, "insert into main.MedPreparat select * from x.MedPreparat");
        TDatabase::Commit(c.Db());
        TDatabase::Exec(q, "detach database x");
    }
}
BENCHMARK(BM_ServerImport100000Rows_PlainSQLite)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

VELTA_BENCH_MAIN(QCoreApplication)
