#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

// Runs the registered benchmarks inside a widget application: on the display bench/run
// provides, or without one on the offscreen platform.
inline int runQtBenchmarks(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    const QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
