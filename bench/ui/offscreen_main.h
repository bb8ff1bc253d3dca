#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// The main of a benchmark of windows: Qt's offscreen platform unless another is asked for, an
// application, then prepare() (when given) before the benchmarks run.
inline int RunBenchmarksOffscreen(int argc, char** argv, void (*prepare)() = nullptr)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (prepare != nullptr)
        prepare();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
