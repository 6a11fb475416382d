// What the graphs cost: the share of one core that three live waveform graphs take while the
// instrument streams at 50 samples per second and the plots repaint at their frame rate of 10,
// and how long a 24-hour trend takes to be drawn when the user shows it.

#include "BenchHost.h"
#include "GraphScene.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One iteration is one minute of streaming: 3000 samples per channel and 600 frames per graph.
void BM_ThreeWaveformGraphsForOneMinute(benchmark::State& state)
{
    const BenchHost host;
    GraphScene scene;
    QImage frame(800, 300, QImage::Format_RGB32);
    constexpr int kSeconds = 60;
    constexpr int kSamplesPerFrame = GraphScene::kSamplesPerSecond / 10;
    double cpuSeconds = 0.0;
    for (auto _ : state) {
        const double start = threadCpuSeconds();
        for (int k = 1; k <= kSeconds * GraphScene::kSamplesPerSecond; ++k) {
            scene.addSample();
            if (k % kSamplesPerFrame == 0)
                scene.paintWaveformPlots(frame);
        }
        cpuSeconds += threadCpuSeconds() - start;
    }
    // Percent of one core over the minute streamed.
    state.counters["waveform_cpu_share"] =
        benchmark::Counter(cpuSeconds / kSeconds * 100.0, benchmark::Counter::kAvgIterations);
}

// Showing a 24-hour breath-rate trend (5760 samples): the pipeline built and fed every stored
// sample, then one frame of the plot.
void BM_TwentyFourHourTrendDrawn(benchmark::State& state)
{
    const BenchHost host;
    GraphScene scene;
    const auto trend = scene.breathRateTrend(24 * 3600);
    ZeltorGraph::XGraph graph;
    graph.resize(800, 300);
    QImage frame(800, 300, QImage::Format_RGB32);
    for (auto _ : state) {
        graph.CreatePipeLine(trend, 0);
        graph.plotWidget().render(&frame);
        graph.DestroyPipeline(false);
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_ThreeWaveformGraphsForOneMinute)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TwentyFourHourTrendDrawn)->Unit(benchmark::kMillisecond);
