// A ventilator test run against the simulated instrument on the virtual clock, at full speed:
// ten minutes of run (seconds of run per second of CPU), and the memory a 24-hour run holds.

#include "BenchSimulator.h"
#include "ScriptedTestGuideWindow.h"

#include "elements/CConfigVentilator.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CTestVentilator.h"

#include "GMTI.h"
#include "SimulatorPort.h"
#include "events/VirtualEventLoop.h"
#include "serial/PortFinder.h"
#include "testmodel/TestSequence.h"


#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

using namespace ZeltorTests;

// Bytes the process has allocated and not freed.
double allocatedMiB()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// One run of `minutes` with a predefined trend every 15 s, from start to the duration's end; the
// element (holding its result) is returned.
std::shared_ptr<CTestVentilator> runFor(int32_t minutes)
{
    auto loop = std::make_shared<events::VirtualEventLoop>(INT64_MAX);
    events::EventLoop::install(loop);
    ScriptedTestGuideWindows windows;
    const auto element = CTestVentilator::create();
    const auto configuration = std::dynamic_pointer_cast<CConfigVentilator>(element->Configuration());
    configuration->LoadDefaultSettings();
    configuration->setDuration(minutes);
    configuration->TrendSettings()->setActive(true);
    const int64_t end = int64_t{minutes} * 60'000 + 2000;
    loop->at(10, [&] { windows.current()->events().StartTest(); });
    loop->at(end, [&] { windows.current()->events().NextTest(); });
    element->Perform(std::make_shared<host::TestSequence>());
    return element;
}

void BM_TenMinuteRun(benchmark::State& state)
{
    const BenchSimulator simulator;
    for (auto _ : state)
        benchmark::DoNotOptimize(runFor(10));
    state.counters["run_seconds_per_cpu_second"] =
        benchmark::Counter(600.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DayLongRunMemory(benchmark::State& state)
{
    const BenchSimulator simulator;
    for (auto _ : state) {
        const double before = allocatedMiB();
        const auto element = runFor(24 * 60);
        state.counters["held_MiB"] = allocatedMiB() - before;
        benchmark::DoNotOptimize(element);
    }
}

} // namespace

BENCHMARK(BM_TenMinuteRun)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DayLongRunMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
