// The patient list on a register of 100,000 patients (VELTA_BENCH_PATIENTS) with addresses: opening it, and moving
// the current patient with every detail lookup and both document lists.
#include "BenchRegister.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include "data/Unit_Schema.h"
#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include "BenchMain.h"
#include <memory>

namespace {
void BM_OpenPatientList(benchmark::State& state)
{
    TBenchRegister& r = BenchRegister();
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
    TBenchRegister& r = BenchRegister();
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

VELTA_BENCH_MAIN(QCoreApplication)
