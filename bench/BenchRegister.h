#pragma once
// A generated register of patients, each with an address, a sheet and a card, in a temporary
// workstation; made once per benchmark run. Its size: the environment variable
// VELTA_BENCH_PATIENTS, 100,000 when unset.
#include "app/Unit_GlobalObjects.h"
#include <QTemporaryDir>
#include <memory>

struct TBenchRegister {
    static int Patients();
    QTemporaryDir dir;
    std::unique_ptr<TAppInfo> info;
    TBenchRegister();
};

TBenchRegister& BenchRegister();
