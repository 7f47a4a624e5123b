// The registry import of 50,000 patients in code page 866 (20 towns, 50 streets each, 40
// occupations, 12 areas), beside plain SQLite inserting the same rows in one transaction:
//   BM_RegistryImportFresh      reading the five dBase files and importing every patient;
//   BM_RegistryReadOnly         of that, reading the files and building the registry's indexes;
//   BM_PlainSqliteSameRows      the rows that import wrote, inserted by prepared statements;
//   BM_RegistryImportNothingNew the same registry again with nothing new (update flag 0).
#include "RegistryFixture.h"
#include "data/Unit_Schema.h"
#include "exchange/Unit_RegistryImport.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlRecord>
#include <QTemporaryDir>
#include "BenchMain.h"

namespace {
constexpr int kPatients = 50000;
const char* const kTables[] = {"City", "Street", "Post", "RegistrationArea", "Address", "Person"};

struct TQuietHost : TRegistryImportHost {
    void Log(const QString&) override {}
    void UpdateProgress(int, int) override {}
    void CheckTerminated() override {}
};

struct TRegistryBench {
    QTemporaryDir dir;
    QString root = dir.path() + "/";
    TRegistryBench()
    {
        QDir(root).mkpath("poly");
        RegistryFixture::Generate(root + "poly/", kPatients, 20, 50, 40);
        TSchema::CreateWorkstationDatabase(root + "template");
        TScopedConnection c("bench_template", root + "template/velta.db");
        RegistryFixture::SeedCounters(c.Db());
    }
    // A fresh workstation database (the template's copy) in folder.
    QString Fresh(const QString& folder)
    {
        QDir(root + folder).removeRecursively();
        QDir(root).mkpath(folder);
        QFile::copy(root + "template/velta.db", root + folder + "/velta.db");
        return root + folder + "/velta.db";
    }
    int Import(const QString& db, bool update = false)
    {
        TQuietHost host;
        TRegistryTables registry(root + "poly/");
        TScopedConnection c("bench_import", db);
        TRegistryImport import(c.Db(), registry, TRegistryLogin{1, 1, 1}, host, TRegistryImportParams{QString(), update});
        return import.ImportAll();
    }
};

TRegistryBench& Bench()
{
    static TRegistryBench b;
    return b;
}

void BM_RegistryImportFresh(benchmark::State& state)
{
    TRegistryBench& b = Bench();
    for (auto _ : state) {
        state.PauseTiming();
        const QString db = b.Fresh("fresh");
        state.ResumeTiming();
        if (b.Import(db) != kPatients)
            state.SkipWithError("not every patient was imported");
    }
}
BENCHMARK(BM_RegistryImportFresh)->Unit(benchmark::kMillisecond)->Iterations(3);

// The part of a fresh import that reads the five files and builds the registry's indexes.
void BM_RegistryReadOnly(benchmark::State& state)
{
    TRegistryBench& b = Bench();
    for (auto _ : state) {
        TRegistryTables registry(b.root + "poly/");
        registry.ProbeArhWork();
        registry.OpenArhWork(QDate(2026, 12, 10));
        registry.LookupFields();
        benchmark::DoNotOptimize(registry.PasporRows().size());
    }
}
BENCHMARK(BM_RegistryReadOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlainSqliteSameRows(benchmark::State& state)
{
    TRegistryBench& b = Bench();
    const QString source = b.Fresh("source");
    b.Import(source);
    // The rows the import wrote, read into memory beforehand, and the indexes it made: plain
    // SQLite keeps the same indexes up to date as it inserts.
    std::vector<std::pair<QString, std::vector<QVariantList>>> tables;
    QStringList indexes;
    {
        TScopedConnection c("bench_source", source);
        QSqlQuery ix(c.Db());
        TDatabase::Exec(ix, "select sql from sqlite_master where type = 'index' and sql is not null");
        while (ix.next())
            indexes << ix.value(0).toString();
        for (const char* t : kTables) {
            QSqlQuery q(c.Db());
            TDatabase::Exec(q, QString("select * from %1").arg(t));
            std::vector<QVariantList> rows;
            while (q.next()) {
                QVariantList row;
                for (int i = 0; i < q.record().count(); ++i)
                    row << q.value(i);
                rows.push_back(row);
            }
            tables.emplace_back(t, std::move(rows));
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        const QString db = b.Fresh("plain");
        TScopedConnection c("bench_plain", db);
        for (const QString& sql : std::as_const(indexes)) {
            QSqlQuery ix(c.Db());
            TDatabase::Exec(ix, QString(sql).replace("CREATE INDEX ", "CREATE INDEX IF NOT EXISTS ", Qt::CaseInsensitive));
        }
        state.ResumeTiming();
        TDatabase::Transaction(c.Db());
        for (const auto& [table, rows] : tables) {
            QSqlQuery q(c.Db());
            const int n = rows.empty() ? 0 : int(rows.front().size());
            // Named placeholders, as the import binds its values (cheaper in the driver than positions).
            QStringList names;
            for (int i = 0; i < n; ++i)
                names << ":p" + QString::number(i);
            TDatabase::Prepare(q, QString("insert into %1 values(%2)").arg(table, names.join(", ")));
            for (const QVariantList& row : rows) {
                for (int i = 0; i < n; ++i)
                    q.bindValue(names[i], row[i]);
                TDatabase::Exec(q);
            }
        }
        TDatabase::Commit(c.Db());
    }
}
BENCHMARK(BM_PlainSqliteSameRows)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RegistryImportNothingNew(benchmark::State& state)
{
    TRegistryBench& b = Bench();
    const QString db = b.Fresh("rerun");
    b.Import(db);
    for (auto _ : state)
        if (b.Import(db) != 0)
            state.SkipWithError("a re-run added patients");
}
BENCHMARK(BM_RegistryImportNothingNew)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

VELTA_BENCH_MAIN(QCoreApplication)
