// Printing a day-long trend into a PDF: one trend of every breath parameter sampled once a second
// for 24 hours, every parameter's graph printed (a maximum and a minimum curve of 86 400 points
// each), through the host's report into a PDF file. Reports the time and the file's size.

#include "BenchHost.h"

#include "data/CParameterList.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CTrendParameter.h"

#include "report/HostReport.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace ZeltorTests;

constexpr int32_t kSecondsPerDay = 24 * 60 * 60;

const QStringList kVentilatorKeys{"FLOW", "PRES", "VOLU", "BRRA", "TIVO", "INPF", "INPP", "PEPR", "MEIP",
                                  "MIVO", "IERA", "INHO", "INPE", "EXPE", "EXPF", "TEMP", "OXLE", "MEEP", "ATPR"};

// A trend whose every breath parameter prints, with a slow swing and breath-to-breath noise.
std::shared_ptr<CTrendCollection> dayOfTrend(const CParameterList& parameters)
{
    auto trends = std::make_shared<CTrendCollection>();
    const auto trend = trends->Add(QStringLiteral("day"), parameters);
    trend->Initialize(QStringLiteral("A day"), 1, 0);
    int32_t parameterIndex = 0;
    for (const auto& parameter : *trend) {
        parameter->setPrintOnReport(true);
        const double level = 10.0 * (parameterIndex++ + 1);
        for (int32_t second = 0; second < kSecondsPerDay; ++second) {
            const double swing = level * (1.0 + 0.2 * std::sin(second / 3600.0));
            const double noise = level * 0.02 * ((second * 7919) % 13) / 13.0;
            parameter->AddSample(static_cast<float>(swing - noise), static_cast<float>(swing + noise));
        }
    }
    return trends;
}

void BM_DayOfTrendPrintedToPdf(benchmark::State& state)
{
    const BenchHost host;
    CParameterList parameters;
    for (const QString& key : kVentilatorKeys)
        parameters.Add(key);
    parameters.SelectKeys();
    const auto trends = dayOfTrend(parameters);
    const QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("day.pdf"));
    int32_t pages = 0;
    for (auto _ : state) {
        const auto report = std::make_shared<host::HostReport>(pdf);
        trends->PrintReport(*report);
        report->finish();
        pages = report->PageCount();
    }
    state.counters["pdf_MiB"] = static_cast<double>(QFileInfo(pdf).size()) / (1024.0 * 1024.0);
    state.counters["pages"] = pages;
    int32_t graphs = 0;
    for (const auto& parameter : *trends->LastTrend())
        graphs += parameter->PrintOnReport() ? 1 : 0;
    state.counters["graphs"] = graphs;
}

} // namespace

BENCHMARK(BM_DayOfTrendPrintedToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
