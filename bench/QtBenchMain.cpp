// The main of the benchmarks that need a Qt application: widgets, printing and the event loop
// run on Qt's offscreen platform.

#include "events/RuntimeDirectory.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    events::ensurePrivateRuntimeDirectory();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
