#pragma once
// A generated register of 100,000 patients, each with an address, a sheet and a card, in a
// temporary workstation; made once per benchmark run.
#include "app/Unit_GlobalObjects.h"
#include <QTemporaryDir>
#include <memory>

struct TBenchRegister {
    static constexpr int Patients = 100000;
    QTemporaryDir dir;
    std::unique_ptr<TAppInfo> info;
    TBenchRegister();
};

TBenchRegister& BenchRegister();
