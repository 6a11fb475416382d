// How long the host waits for a test's pages when the user selects the test: the configuration
// page created in its dialog host form, filled from the test and docked, and the limit page
// filled from the test's standards, then both unloaded again.

#include "BenchHost.h"

#include "CConfigVentilator.h"
#include "CTestVentilator.h"
#include "CZeltorLimitData.h"
#include "XConfigVentilatorDialog.h"

#include "Dialogs.h"

#include "com/ClassRegistry.h"

#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

using namespace ZeltorTests;

void BM_VentilatorPagesShownAndUnloaded(benchmark::State& state)
{
    const BenchHost host;
    com::ClassRegistry::instance().add({QStringLiteral("ZeltorTests.XConfigVentilatorDialog"), {},
                                        [] { return std::make_shared<XConfigVentilatorDialog>(); }});
    const auto element = CTestVentilator::create();
    std::dynamic_pointer_cast<CConfigVentilator>(element->Configuration())->LoadDefaultSettings();
    element->Limits()->CreateStandard(QStringLiteral("ISO"), QStringLiteral("Standard"));
    QWidget hostWindow;
    hostWindow.resize(900, 600);
    for (auto _ : state) {
        for (const auto& dialog : {element->Configuration()->CreateDialog(), element->Limits()->CreateDialog()}) {
            dialog->Dock(&hostWindow);
            dialog->Move(0, 0, 900, 600);
            dialog->Show(0);
            dialog->Unload();
        }
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_VentilatorPagesShownAndUnloaded)->Unit(benchmark::kMillisecond);
