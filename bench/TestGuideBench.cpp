// The live display of a ventilator test: each results poll hands the test guide window the whole
// result, whose every row of the result list, the statistics panel and the status are rewritten.
// One breath is added to every measurement between updates, as during a run.

#include "IgnoredTestGuideEvents.h"
#include "BenchHost.h"

#include "elements/CConfigVentilator.h"
#include "data/CMeasurement.h"
#include "elements/CResultVentilator.h"
#include "elements/CTestVentilator.h"
#include "elements/CZeltorLimitData.h"
#include "ui/FZeltorTestGuide.h"

#include "testmodel/TestSequence.h"

#include "HostServices.h"
#include "Xml.h"


#include <benchmark/benchmark.h>

namespace {

using namespace ZeltorTests;


void BM_LiveResultUpdate(benchmark::State& state)
{
    const BenchHost host;
    const auto element = CTestVentilator::create();
    const auto configuration = std::dynamic_pointer_cast<CConfigVentilator>(element->Configuration());
    configuration->LoadDefaultSettings();
    // The element takes a fresh result record, as when its run starts.
    auto record = std::make_shared<CResultVentilator>();
    record->InitializeResult(configuration, std::dynamic_pointer_cast<CZeltorLimitData>(element->Limits()));
    element->Load(record->Save(Nelvar::xmlService().CreateDocument()), nullptr);
    IgnoredTestGuideEvents events;
    FZeltorTestGuide window;
    window.setEventHandler(&events);
    window.Initialize(element, std::make_shared<host::TestSequence>());
    const auto result = std::dynamic_pointer_cast<CResultVentilator>(element->Result());
    std::vector<std::shared_ptr<CMeasurement>> measurements;
    for (int32_t index = 1; index <= result->MeasurementCount(); ++index)
        measurements.push_back(std::dynamic_pointer_cast<CMeasurement>(result->Measurement(index)));

    int32_t breath = 0;
    for (auto _ : state) {
        const float swing = static_cast<float>(breath++ % 7);
        for (const auto& measurement : measurements)
            measurement->AddSample(10.0f + swing);
        window.UpdateResults(result);
    }
    state.counters["rows"] = static_cast<double>(measurements.size());
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_LiveResultUpdate)->Unit(benchmark::kMicrosecond);
