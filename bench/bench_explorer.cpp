// The main window on a register of 100,000 patients (VELTA_BENCH_PATIENTS): from a confirmed login to the window
// shown with the register, a surname search, and moving the current patient.
#include "BenchRegister.h"
#include "data/Unit_DataModule.h"
#include "ui/form_explorer.h"
#include <QApplication>
#include <QLineEdit>
#include "BenchMain.h"

namespace {
void BM_LoginToMainWindow(benchmark::State& state)
{
    TBenchRegister& r = BenchRegister();
    r.info->HspGID = 1;
    for (auto _ : state) {
        TDM dm(*r.info);
        TExplorerForm form(dm, *r.info);
        form.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.PersonTotal());
    }
}
BENCHMARK(BM_LoginToMainWindow)->Unit(benchmark::kMillisecond);

void BM_LocatePerson(benchmark::State& state)
{
    TBenchRegister& r = BenchRegister();
    TDM dm(*r.info);
    TExplorerForm form(dm, *r.info);
    form.show();
    const QString prefixes[] = {QString::fromUtf8("МО"), QString::fromUtf8("ЯБ"), QString::fromUtf8("ГЕ"),
                                QString::fromUtf8("АА")};
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(form.LocatePerson(prefixes[i++ % 4]));
}
BENCHMARK(BM_LocatePerson)->Unit(benchmark::kMillisecond);

void BM_MovePersonInWindow(benchmark::State& state)
{
    TBenchRegister& r = BenchRegister();
    TDM dm(*r.info);
    TExplorerForm form(dm, *r.info);
    form.show();
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % 5000;
        dm.SetPersonRow(row);
    }
}
BENCHMARK(BM_MovePersonInWindow)->Unit(benchmark::kMicrosecond);
}

VELTA_BENCH_MAIN(QApplication)
