// What the graphs cost: the share of one core that three live waveform graphs take while the
// instrument streams at 50 samples per second and the plots repaint at their frame rate, how
// long a 24-hour trend of one sample a second takes to be drawn when the user shows it, and how
// long the three kinds of graph take to draw side by side (their picture is written into the
// build folder as graph-kinds.png).

#include "BenchHost.h"
#include "GraphScene.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

// User and system time of the process, in seconds.
double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Sixty seconds of wall time: an instrument packet (two samples of each channel) every 40 ms into
// three shown graphs, which repaint on their own at the frame rate given (10 is the waveform
// pipeline's own, 50 the highest the live view steps it to). The counter is the CPU time of the
// process over the wall time, a fraction of one core.
void BM_ThreeWaveformGraphsForAMinute(benchmark::State& state)
{
    const BenchHost host;
    GraphScene scene;
    const auto framesPerSecond = static_cast<int32_t>(state.range(0));
    for (const auto& graph : scene.waveformGraphs()) {
        graph->setUpdateFrameRate(framesPerSecond);
        graph->show();
    }
    constexpr int kWallMilliseconds = 60000;
    constexpr int kPacketMilliseconds = 1000 / (GraphScene::kSamplesPerSecond / 2);
    double share = 0.0;
    for (auto _ : state) {
        QTimer packets;
        packets.setTimerType(Qt::PreciseTimer);
        packets.setInterval(kPacketMilliseconds);
        QObject::connect(&packets, &QTimer::timeout, [&] {
            scene.addSample();
            scene.addSample();
        });
        QEventLoop loop;
        QTimer::singleShot(kWallMilliseconds, &loop, &QEventLoop::quit);
        const double cpuStart = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        packets.start();
        loop.exec();
        share = (processCpuSeconds() - cpuStart) / (static_cast<double>(wall.elapsed()) / 1000.0);
    }
    state.counters["waveform_cpu_share"] = share;
}

// Showing a 24-hour breath-rate trend of one sample a second (86 400 maxima and minima): the
// pipeline built and fed every stored sample, then one frame of a 1000-pixel-wide plot.
void BM_TwentyFourHourTrendDrawn(benchmark::State& state)
{
    const BenchHost host;
    GraphScene scene;
    const auto trend = scene.breathRateTrend(24 * 3600, 1);
    ZeltorGraph::XGraph graph;
    graph.resize(1000, 400);
    QImage frame(graph.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        graph.CreatePipeLine(trend, 0);
        graph.render(&frame);
        graph.DestroyPipeline(false);
    }
    state.SetItemsProcessed(state.iterations());
}

// The three kinds side by side: a live flow waveform seven seconds into its sweep, a two-hour
// breath-rate trend with its limits, and a stored pressure snapshot, each drawn whole.
void BM_GraphKindsDrawnSideBySide(benchmark::State& state)
{
    const BenchHost host;
    GraphScene scene;
    for (int k = 0; k < 7 * GraphScene::kSamplesPerSecond; ++k)
        scene.addSample();
    ZeltorGraph::XGraph& waveform = *scene.waveformGraphs()[0];
    waveform.setUpdateFrameRate(10);
    ZeltorGraph::XGraph trend;
    trend.CreatePipeLine(scene.breathRateTrend(2 * 3600), 0);
    trend.setHighLight(false);
    const auto stored = scene.snapshot();
    ZeltorGraph::XGraph snapshot;
    snapshot.CreatePipeLine(stored->PressureTable(), 0);
    snapshot.setHighLight(false);
    const std::array<ZeltorGraph::XGraph*, 3> graphs{&waveform, &trend, &snapshot};
    const QSize size = waveform.size();
    QImage picture(3 * size.width(), size.height(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&picture);
        int left = 0;
        for (ZeltorGraph::XGraph* graph : graphs) {
            graph->resize(size);
            graph->render(&painter, QPoint(left, 0));
            left += size.width();
        }
    }
    picture.save(QCoreApplication::applicationDirPath() + QStringLiteral("/graph-kinds.png"));
    trend.DestroyPipeline(false);
    snapshot.DestroyPipeline(false);
}

} // namespace

BENCHMARK(BM_ThreeWaveformGraphsForAMinute)->Arg(10)->Arg(50)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_TwentyFourHourTrendDrawn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphKindsDrawnSideBySide)->Unit(benchmark::kMillisecond);
