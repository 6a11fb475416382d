// A one-minute live ventilator run in full-screen mode against zeltor-sim on a pseudo terminal, in
// real time on the Qt event loop: the real test guide window is switched to its full-screen view
// once the run goes, and both panes draw the live waveforms. The simulator sends at the pace of
// the instrument's 38400-baud line, so that the waveform packet and the four breath blocks that
// end a breath arrive one after another, as from the instrument, not in one piece. The
// instrument's buffer count is sampled every 10 ms; the largest seen is `max_buffer_count` (the
// link keeps up while it stays at 0 or 1), and the process's CPU time over the run's wall time is
// `host_cpu_share`, the share of one core the host used.

#include "BenchHost.h"

#include "elements/CConfigVentilator.h"
#include "elements/CTestVentilator.h"
#include "CZeltorVTI.h"
#include "ui/FZeltorTestGuide.h"
#include "GMTI.h"
#include "SimulatorProgram.h"
#include "XGraph.h"

#include "testmodel/TestSequence.h"

#include "com/ClassRegistry.h"
#include "events/EventLoop.h"
#include "serial/PortFinder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>

namespace {

using namespace ZeltorTests;

constexpr int kSampleInterval = 10;       // milliseconds
constexpr qint64 kStartWaitMs = 30'000;   // from "play" to a run that goes
const QString kTestGuideWindow = QStringLiteral("FZeltorTestGuide");

// User plus system CPU time of this process, in seconds.
double processCpuSeconds()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

FZeltorTestGuide* shownTestGuide()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == kTestGuideWindow && widget->isVisible())
            return qobject_cast<FZeltorTestGuide*>(widget);
    return nullptr;
}

bool drawsLiveWaveform(const ZeltorGraph::XGraph& pane)
{
    const auto shown = pane.GraphData();
    return shown && shown->GraphType() == ZeltorGraph::egtWaveformGraph && pane.isVisible();
}

// The operator at the window, as a 10 ms timer sees it: presses "play" once the window is shown,
// switches to the full-screen view once the run goes, presses "next" once the run has stopped
// ("abort" when no run went within the start wait).
// While the run goes it samples the instrument's buffer count and whether both panes draw the
// live waveforms, and it measures the run's wall and CPU time.
class FullscreenOperator {
public:
    FullscreenOperator()
    {
        m_timer.setInterval(kSampleInterval);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_timer.start();
    }

    int32_t maxBufferCount() const { return m_maxBufferCount; }
    double wallSeconds() const { return static_cast<double>(m_runWallMs) / 1000.0; }
    double cpuSeconds() const { return m_runCpuSeconds; }
    bool ran() const { return m_stage == Stage::Done; }
    // The share of the full-screen samples in which both panes drew a live waveform.
    double bothPanesLiveShare() const
    {
        return m_fullscreenSamples == 0 ? 0.0
                                        : static_cast<double>(m_bothPanesLive) / static_cast<double>(m_fullscreenSamples);
    }
    // The share of the samples in which more than one frame waited: a link that keeps up only
    // shows them for a moment.
    double backloggedShare() const
    {
        return m_samples == 0 ? 0.0 : static_cast<double>(m_backloggedSamples) / static_cast<double>(m_samples);
    }
    int32_t lastFrameRate() const { return m_lastFrameRate; }

private:
    enum class Stage { WaitingForWindow, Starting, Running, Done, GaveUp };

    void tick()
    {
        FZeltorTestGuide* window = shownTestGuide();
        if (!window)
            return;
        switch (m_stage) {
        case Stage::WaitingForWindow:
            m_stage = Stage::Starting;
            m_runClock.start();
            press(*window, QStringLiteral("play"));
            return;
        case Stage::Starting:
            if (!window->Running()) {
                if (m_runClock.elapsed() > kStartWaitMs) {
                    m_stage = Stage::GaveUp;
                    press(*window, QStringLiteral("abort"));
                }
                return;
            }
            m_stage = Stage::Running;
            m_cpuAtStart = processCpuSeconds();
            m_runClock.start();
            press(*window, QStringLiteral("fullscreen"));
            return;
        case Stage::Running:
            if (window->Running()) {
                sample(*window);
                return;
            }
            m_runWallMs = m_runClock.elapsed();
            m_runCpuSeconds = processCpuSeconds() - m_cpuAtStart;
            m_stage = Stage::Done;
            press(*window, QStringLiteral("next"));
            return;
        case Stage::Done:
        case Stage::GaveUp:
            return;
        }
    }

    void sample(FZeltorTestGuide& window)
    {
        const int32_t bufferCount = ZeltorVTI::GMTI.VTI()->BufferCount();
        m_maxBufferCount = std::max(m_maxBufferCount, bufferCount);
        ++m_samples;
        if (bufferCount >= 2)
            ++m_backloggedSamples;
        if (window.DisplayMode() != ITestGuideWindow::edmFullscreen)
            return;
        XFullscreenView& view = window.fullscreenView();
        ++m_fullscreenSamples;
        if (drawsLiveWaveform(view.pane(0)) && drawsLiveWaveform(view.pane(1)))
            ++m_bothPanesLive;
        m_lastFrameRate = view.pane(0).UpdateFrameRate();
    }

    // The window's command, from the message pump rather than inside the tick: the start
    // command runs its connection wait inside it.
    static void press(FZeltorTestGuide& window, const QString& key)
    {
        QTimer::singleShot(0, &window, [window = QPointer(&window), key] {
            if (window)
                window->PerformAction(key);
        });
    }

    Stage m_stage = Stage::WaitingForWindow;
    int32_t m_maxBufferCount = 0;
    int64_t m_samples = 0;
    int64_t m_backloggedSamples = 0;
    int64_t m_fullscreenSamples = 0;
    int64_t m_bothPanesLive = 0;
    int32_t m_lastFrameRate = 0;
    double m_cpuAtStart = 0.0;
    double m_runCpuSeconds = 0.0;
    qint64 m_runWallMs = 0;
    QElapsedTimer m_runClock;
    QTimer m_timer;
};

void BM_FullscreenLiveRun(benchmark::State& state)
{
    const SimulatorProgram simulator(QStringLiteral(ZELTOR_SIM_PATH), {QStringLiteral("--baud"), QStringLiteral("38400")});
    if (!simulator.devicePath().startsWith(QStringLiteral("/dev/"))) {
        state.SkipWithError("zeltor-sim printed no pseudo terminal");
        return;
    }
    const BenchHost host;
    events::EventLoop::install(nullptr); // the Qt event loop: the run goes in real time
    serial::setConfiguredPort(simulator.devicePath());
    com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));

    for (auto _ : state) {
        const auto element = CTestVentilator::create();
        const auto configuration = std::dynamic_pointer_cast<CConfigVentilator>(element->Configuration());
        configuration->LoadDefaultSettings();
        configuration->setDuration(1);
        const FullscreenOperator operatorAtWindow;
        element->Perform(std::make_shared<host::TestSequence>());
        if (!operatorAtWindow.ran()) {
            state.SkipWithError("the run did not go from start to end");
            break;
        }
        if (operatorAtWindow.bothPanesLiveShare() < 0.9) {
            state.SkipWithError("the full-screen panes did not draw the live waveforms");
            break;
        }
        state.SetIterationTime(operatorAtWindow.wallSeconds());
        state.counters["max_buffer_count"] = operatorAtWindow.maxBufferCount();
        state.counters["host_cpu_share"] = operatorAtWindow.cpuSeconds() / operatorAtWindow.wallSeconds();
        state.counters["backlogged_sample_share"] = operatorAtWindow.backloggedShare();
        state.counters["frame_rate_at_end"] = operatorAtWindow.lastFrameRate();
    }
    ZeltorVTI::GMTI.ResetVTI();
    serial::setConfiguredPort(QString());
}

} // namespace

BENCHMARK(BM_FullscreenLiveRun)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();
