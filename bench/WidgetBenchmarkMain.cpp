// main() of the benchmarks that measure windows: Google Benchmark inside a QApplication.

#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char** argv) {
    // On the display bench/run provides; without one, on the offscreen platform.
    if (!qEnvironmentVariableIsSet("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
