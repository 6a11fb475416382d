// How many command round trips (frame built and sent, the simulated instrument's reply received,
// parsed and checked) the instrument link makes per second over the in-memory link. The link runs
// on the virtual clock, so the figure is the processing cost without the line's latency.

#include "CZeltorVTI.h"
#include "GMTI.h"

#include "BenchHost.h"

#include "SimulatorPort.h"
#include "serial/PortFinder.h"


#include <benchmark/benchmark.h>

namespace {

class SimulatedInstrument {
public:
    SimulatedInstrument()
    {
        simulator::registerSimulatorPort();
        serial::setConfiguredPort(QStringLiteral("sim"));
        ZeltorVTI::GMTI.InitVTI();
        ZeltorVTI::GMTI.VTI()->StartRemote();
    }

    ~SimulatedInstrument()
    {
        ZeltorVTI::GMTI.VTI()->EndRemote();
        ZeltorVTI::GMTI.ResetVTI();
    }

private:
    BenchHost m_host;
};

void BM_ParameterViewListRoundTrip(benchmark::State& state)
{
    const SimulatedInstrument instrument;
    const auto vti = ZeltorVTI::GMTI.VTI();
    for (auto _ : state)
        benchmark::DoNotOptimize(vti->GetParameterViewList());
    state.SetItemsProcessed(state.iterations());
}

void BM_SettingsRoundTrip(benchmark::State& state)
{
    const SimulatedInstrument instrument;
    const auto vti = ZeltorVTI::GMTI.VTI();
    for (auto _ : state)
        benchmark::DoNotOptimize(vti->GetMTISettings());
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_ParameterViewListRoundTrip);
BENCHMARK(BM_SettingsRoundTrip);
