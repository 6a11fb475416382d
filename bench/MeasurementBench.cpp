// How fast values convert between internal and display units, and how many samples a
// measurement counts per second.

#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "Converters.h"
#include "EUnit.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace ZeltorConverter;

// One direction of one converter over a slowly changing value.
template <typename Converter, float (CUnitConverter::*Convert)(float) const>
void convert(benchmark::State& state, EUnit unit, float start)
{
    Converter converter;
    converter.Initialize(unit, QStringLiteral("unit"));
    float value = start;
    for (auto _ : state) {
        benchmark::DoNotOptimize((converter.*Convert)(value));
        value += 0.001f;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ConvertFromInternalUnit(benchmark::State& state)
{
    convert<CConvertCelsius, &CUnitConverter::ConvertFromInternalUnit>(state, eunTemperature_Fahrenheit, 36.6f);
}

void BM_ConvertToInternalUnit(benchmark::State& state)
{
    convert<CConvertCmH2O, &CUnitConverter::ConvertToInternalUnit>(state, eunPressure_mmHg, 12.5f);
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
