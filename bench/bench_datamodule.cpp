// The patient list on a register of 100,000 patients with addresses: opening it, and moving
// the current patient with every detail lookup and both document lists.
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include "data/Unit_Schema.h"
#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
constexpr int kPatients = 100000;

struct TRegister {
    QTemporaryDir dir;
    std::unique_ptr<TAppInfo> info;

    TRegister()
    {
        const QString main = dir.path() + "/main/";
        TSchema::CreateWorkstationDatabase(main);
        {
            TScopedConnection c("bench_fill", main + "velta.db");
            QSqlDatabase& db = c.Db();
            TDatabase::Transaction(db);
            QSqlQuery q(db);
            TDatabase::Exec(q, "insert into Region(RegGID, RegName) values(1, 'РАЙОН')");
            TDatabase::Exec(q, "insert into City(CityLID, CityName, RegGID) values(1, 'ГОРОД', 1)");
            TDatabase::Exec(q, "insert into Street(StrLID, StrName, CityLID) values(1, 'УЛИЦА', 1)");
            TDatabase::Exec(q, "insert into Hospital(HspGID, MU) values(1, 'ПОЛИКЛИНИКА')");
            TDatabase::Exec(q, "insert into RegistrationArea(AreaLID, AreaCode, HspGID) values(1, '1', 1)");
            TDatabase::Exec(q, "insert into Post(PosLID, PosName) values(1, 'ПЕНСИОНЕР')");
            QSqlQuery a(db), p(db), d(db);
            TDatabase::Prepare(a, "insert into Address(AdrLID, AdrHousNum, CityLID, StrLID) values(:id, '1', 1, 1)");
            TDatabase::Prepare(p, "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch, AdrLID, AreaLID, PosLID) "
                                  "values(:id, :sn, 'ИВАН', 'ИВАНОВИЧ', :id, 1, 1)");
            TDatabase::Prepare(d, "insert into Document(DocLID, DocDate, DtpGID, PrnLID, LastUpdate) "
                                  "values(:doc, '2026-01-01', :kind, :id, '2026-01-01 10:00:00')");
            const QString letters = QString::fromUtf8("АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЭЮЯ");
            for (int i = 1; i <= kPatients; ++i) {
                a.bindValue(":id", i);
                TDatabase::Exec(a);
                QString sn;
                for (int k = 0, v = i * 7919; k < 8; ++k, v /= letters.size())
                    sn += letters[v % letters.size()];
                p.bindValue(":id", i);
                p.bindValue(":sn", sn);
                TDatabase::Exec(p);
                d.bindValue(":doc", 2 * i);
                d.bindValue(":kind", 1);
                d.bindValue(":id", i);
                TDatabase::Exec(d);
                d.bindValue(":doc", 2 * i + 1);
                d.bindValue(":kind", 2);
                TDatabase::Exec(d);
            }
            TDatabase::Commit(db);
        }
        info = std::make_unique<TAppInfo>(dir.path() + "/velta.ini");
        info->SetMainDBPath(main);
        info->LoggedIn = true;
        TDM warm(*info); // makes the name indexes once
    }
};

TRegister& Register()
{
    static TRegister r;
    return r;
}

void BM_OpenPatientList(benchmark::State& state)
{
    TRegister& r = Register();
    r.info->LoggedIn = false;
    TDM dm(*r.info);
    for (auto _ : state) {
        dm.ReopenPersons();
        benchmark::DoNotOptimize(dm.PersonRow());
    }
    r.info->LoggedIn = true;
}
BENCHMARK(BM_OpenPatientList)->Unit(benchmark::kMillisecond);

void BM_MoveCurrentPatient(benchmark::State& state)
{
    TRegister& r = Register();
    TDM dm(*r.info);
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % 5000;
        dm.SetPersonRow(row);
        benchmark::DoNotOptimize(dm.Details().City);
    }
}
BENCHMARK(BM_MoveCurrentPatient)->Unit(benchmark::kMicrosecond);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
