// How fast values convert between internal and display units, and how many samples a
// measurement counts per second.

#include "CMeasurement.h"
#include "CParameterDef.h"
#include "Converters.h"
#include "EUnit.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace ZeltorConverter;

void BM_ConvertFromInternalUnit(benchmark::State& state)
{
    CConvertCelsius converter;
    converter.Initialize(eunTemperature_Fahrenheit, QStringLiteral("F"));
    float value = 36.6f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(converter.ConvertFromInternalUnit(value));
        value += 0.001f;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ConvertToInternalUnit(benchmark::State& state)
{
    CConvertCmH2O converter;
    converter.Initialize(eunPressure_mmHg, QStringLiteral("mmHg"));
    float value = 12.5f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(converter.ConvertToInternalUnit(value));
        value += 0.001f;
    }
    state.SetItemsProcessed(state.iterations());
}

// A measurement bound to a definition without a converter, so that no host service is needed.
void BM_AddSample(benchmark::State& state)
{
    auto definition = std::make_shared<ZeltorTests::CParameterDef>();
    definition->setKey(QStringLiteral("TIVO"));
    ZeltorTests::CMeasurement measurement;
    measurement.setParameterDef(definition);
    float value = 0.5f;
    for (auto _ : state) {
        measurement.AddSample(value);
        value = value > 0.8f ? 0.4f : value + 0.01f;
    }
    benchmark::DoNotOptimize(measurement.AverageValue());
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_ConvertFromInternalUnit);
BENCHMARK(BM_ConvertToInternalUnit);
BENCHMARK(BM_AddSample);
BENCHMARK_MAIN();
