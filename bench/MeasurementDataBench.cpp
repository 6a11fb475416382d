// A day of ventilator data through the measurement data: 24 hours of waveform packets (25 a
// second, into the flow, pressure and volume tables) and breath blocks (15 breaths a minute, four
// blocks each) through the tables and a calculation set; and 24 hours of trend samples at a
// 1-second interval for every breath parameter, then the trend collection saved and loaded back.

#include "BenchHost.h"

#include "data/CParameterList.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CWaveformData.h"
#include "data/CZeltorCalculationSet.h"
#include "data/CZeltorMeasurementTable.h"

#include "HostServices.h"
#include "Xml.h"


#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <vector>

namespace {

using namespace ZeltorTests;

constexpr int32_t kSecondsPerDay = 24 * 60 * 60;
constexpr int32_t kPacketsPerSecond = 25;
constexpr int32_t kBreathsPerDay = 15 * 24 * 60;

const QStringList kVentilatorKeys{"FLOW", "PRES", "VOLU", "BRRA", "TIVO", "INPF", "INPP", "PEPR", "MEIP",
                                  "MIVO", "IERA", "INHO", "INPE", "EXPE", "EXPF", "TEMP", "OXLE", "MEEP", "ATPR"};

CParameterList ventilatorParameters()
{
    CParameterList parameters;
    for (const QString& key : kVentilatorKeys)
        parameters.Add(key);
    parameters.SelectKeys();
    return parameters;
}

double peakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_DayOfWaveformPacketsAndBreathBlocks(benchmark::State& state)
{
    const BenchHost host;
    const CParameterList parameters = ventilatorParameters();
    const com::Value block(std::vector<com::Value>{150, 500, 6000, 2000});
    int64_t items = 0;
    for (auto _ : state) {
        const auto waveform = CWaveformData::create();
        waveform->Initialize(QStringLiteral("0S"), parameters, 9000);
        CZeltorCalculationSet calculations;
        calculations.Initialize(parameters);
        const int32_t packets = kSecondsPerDay * kPacketsPerSecond;
        const int32_t packetsPerBreath = packets / kBreathsPerDay;
        for (int32_t packet = 0; packet < packets; ++packet) {
            const int32_t sequence = packet % 10;
            const int32_t raw = (packet % 200) * 50 - 5000;
            waveform->PressureTable()->AddPacket(sequence, raw, raw + 10, 3);
            waveform->FlowTable()->AddPacket(sequence, raw * 3, raw * 3 + 30, 0);
            waveform->VolumeTable()->AddPacket(sequence, raw / 2, raw / 2 + 5, 0);
            if (packet % packetsPerBreath == 0)
                for (const int32_t id : {'A', 'B', 'C', 'D'})
                    calculations.ProcessBlock(id, block, 3);
        }
        benchmark::DoNotOptimize(waveform->FlowTable()->LastValue());
        items += 3LL * packets + 4LL * kBreathsPerDay;
    }
    state.SetItemsProcessed(items);
}

// One trend of every breath parameter sampled once a second for a day.
std::shared_ptr<CTrendCollection> dayOfTrendSamples(const CParameterList& parameters)
{
    auto trends = std::make_shared<CTrendCollection>();
    const auto trend = trends->Add(QStringLiteral("day"), parameters);
    trend->Initialize(QStringLiteral("A day"), 1, 0);
    trend->Start();
    CZeltorCalculationSet calculations;
    calculations.Initialize(parameters);
    for (int32_t second = 1; second <= kSecondsPerDay; ++second) {
        const int32_t raw = 100 + second % 500;
        for (const int32_t id : {'A', 'B', 'C', 'D'})
            calculations.ProcessBlock(id, com::Value(std::vector<com::Value>{raw, raw * 2, raw * 3, raw * 4}), 3);
        trend->AddSample(calculations);
        calculations.ResetStatistics();
    }
    return trends;
}

void BM_DayOfTrendSamples(benchmark::State& state)
{
    const BenchHost host;
    const CParameterList parameters = ventilatorParameters();
    for (auto _ : state)
        benchmark::DoNotOptimize(dayOfTrendSamples(parameters));
    state.SetItemsProcessed(state.iterations() * kSecondsPerDay);
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}

void BM_DayOfTrendsSaved(benchmark::State& state)
{
    const BenchHost host;
    const CParameterList parameters = ventilatorParameters();
    const auto trends = dayOfTrendSamples(parameters);
    qsizetype recordSize = 0;
    for (auto _ : state) {
        const auto document = Nelvar::xmlService().CreateDocument();
        document->setDocumentElement(trends->Save(document));
        recordSize = document->Xml().toUtf8().size();
    }
    state.counters["record_MiB"] = static_cast<double>(recordSize) / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}

void BM_DayOfTrendsLoaded(benchmark::State& state)
{
    const BenchHost host;
    const CParameterList parameters = ventilatorParameters();
    const auto document = Nelvar::xmlService().CreateDocument();
    document->setDocumentElement(dayOfTrendSamples(parameters)->Save(document));
    for (auto _ : state) {
        CTrendCollection loaded;
        loaded.Load(document->DocumentElement(), parameters);
        benchmark::DoNotOptimize(loaded.LastTrend()->SampleCount());
    }
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}

} // namespace

BENCHMARK(BM_DayOfWaveformPacketsAndBreathBlocks)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DayOfTrendSamples)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DayOfTrendsSaved)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DayOfTrendsLoaded)->Unit(benchmark::kMillisecond)->Iterations(3);
