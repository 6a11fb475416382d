// A single-reading test run on the virtual clock at full speed: the readings its loop takes per
// second of CPU, against the simulated instrument (ten readings a second through a ten-minute
// run, the loop waiting between them) and against an instrument whose readings are all waiting
// at once (the loop's own cost per reading: poll, scale, judge, pump).

#include "BenchSimulator.h"
#include "ScriptedTestGuideWindow.h"

#include "elements/CConfigZeltor.h"
#include "data/CMeasurement.h"
#include "elements/CResultZeltor.h"
#include "elements/CTestZeltor.h"

#include "FrameEncoder.h"
#include "GMTI.h"
#include "Product.h"
#include "SimulatorPort.h"
#include "events/VirtualEventLoop.h"
#include "serial/MemoryLink.h"
#include "serial/PortFinder.h"
#include "testmodel/TestSequence.h"


#include <benchmark/benchmark.h>

namespace {

using namespace ZeltorTests;

constexpr int32_t kPressureTest = 400;
constexpr int32_t kWaitingReadings = 100'000;

// One pressure test of `minutes` (0: no end) on the configured port, started at once and left
// with "next" at `endMs`; returns the number of readings (frames) its result took.
int64_t runPressureTest(int32_t minutes, int64_t endMs)
{
    auto loop = std::make_shared<events::VirtualEventLoop>(INT64_MAX);
    events::EventLoop::install(loop);
    ScriptedTestGuideWindows windows;
    const auto element = CTestZeltor::create();
    element->Initialize(Zeltor::kProduct, kPressureTest, kPressureTest);
    const auto configuration = std::dynamic_pointer_cast<CConfigZeltor>(element->Configuration());
    configuration->LoadDefaultSettings();
    configuration->setDuration(minutes);
    loop->at(10, [&] { windows.current()->events().StartTest(); });
    loop->at(endMs, [&] { windows.current()->events().NextTest(); });
    element->Perform(std::make_shared<host::TestSequence>());
    const auto result = std::dynamic_pointer_cast<CResultZeltor>(element->Result());
    const auto pressure = std::dynamic_pointer_cast<CMeasurement>(result->Measurement(QStringLiteral("ACPR")));
    return pressure->SampleCount() / 2;
}

// An instrument on the port "waiting" that answers remote mode and, once started, has all its
// readings waiting at once, followed by its stop signal.
class WaitingReadingsPort {
public:
    WaitingReadingsPort()
    {
        serial::registerVirtualPort(QStringLiteral("waiting"), []() -> std::shared_ptr<serial::IDataLink> {
            auto [link, end] = serial::MemoryLink::createPair();
            end->setReader([instrument = std::weak_ptr<serial::MemoryInstrumentEnd>(end)](const QByteArray& frame) {
                const auto self = instrument.lock();
                if (!self)
                    return;
                if (frame.startsWith("$IREM"))
                    self->write("$irem,Zeltor VT,ZT-1,3.01\r");
                else if (frame.startsWith("$EREM"))
                    self->write("$erem\r");
                else if (frame.startsWith("$STST"))
                    self->write(readings());
            });
            link->keepAlive(end);
            return link;
        });
        serial::setConfiguredPort(QStringLiteral("waiting"));
    }
    ~WaitingReadingsPort()
    {
        ZeltorVTI::GMTI.ResetVTI();
        serial::unregisterVirtualPort(QStringLiteral("waiting"));
    }

private:
    static QByteArray readings()
    {
        const simulator::FrameEncoder encoder(simulator::FrameLayout::readings(3));
        QByteArray frames;
        frames.reserve((kWaitingReadings + 1) * 21);
        for (int32_t i = 0; i < kWaitingReadings; ++i)
            frames += encoder.encode('R', i, {5000 + i % 7, 0, 5000, 0});
        return frames + encoder.encode('X', 0, {0, 0, 0, 0});
    }

    BenchHost m_host;
};

void BM_TenMinuteRunAgainstTheSimulator(benchmark::State& state)
{
    const BenchSimulator simulator;
    int64_t readings = 0;
    for (auto _ : state)
        readings += runPressureTest(10, 10 * 60'000 + 2'000);
    state.counters["readings_per_cpu_second"] =
        benchmark::Counter(static_cast<double>(readings), benchmark::Counter::kIsRate);
    state.counters["run_seconds_per_cpu_second"] =
        benchmark::Counter(600.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_WaitingReadings(benchmark::State& state)
{
    const WaitingReadingsPort port;
    int64_t readings = 0;
    for (auto _ : state)
        readings += runPressureTest(0, kWaitingReadings + 10'000);
    state.counters["readings_per_cpu_second"] =
        benchmark::Counter(static_cast<double>(readings), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_TenMinuteRunAgainstTheSimulator)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WaitingReadings)->Unit(benchmark::kMillisecond)->Iterations(5);
