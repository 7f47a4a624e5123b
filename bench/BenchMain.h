#pragma once
// The main() of every benchmark: the Qt application object the database and windows need,
// then Google Benchmark.
#include <benchmark/benchmark.h>

#define VELTA_BENCH_MAIN(AppClass)                                                                   \
    int main(int argc, char** argv)                                                                  \
    {                                                                                                \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                     \
        AppClass app(argc, argv);                                                                    \
        benchmark::Initialize(&argc, argv);                                                          \
        benchmark::RunSpecifiedBenchmarks();                                                         \
        benchmark::Shutdown();                                                                       \
        return 0;                                                                                    \
    }
