// How long the host waits for a test's pages when the user selects the test: the configuration
// page created in its dialog host form, filled from the test and docked, and the limit page
// filled from the test's standards, then both unloaded again. And how long the user waits for the
// instrument control panel to list the instrument's slots.

#include "BenchHost.h"
#include "BenchSimulator.h"

#include "elements/CConfigVentilator.h"
#include "elements/CTestVentilator.h"
#include "elements/CZeltorLimitData.h"
#include "ui/XConfigVentilatorDialog.h"

#include "Dialogs.h"
#include "PlugIn.h"

#include "com/ClassRegistry.h"

#include <QTabBar>
#include <QTreeWidget>
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

// The control panel made by the plug-in, docked, and its "Parameter views" tab shown, which lists
// the nine slots over a connection opened for it and closed after (IREM, #GPL, EREM), then
// unloaded. The simulated instrument answers on the virtual clock, so the figure is the system's
// own work without the serial line's transfer time.
void BM_ControlPanelListsTheSlots(benchmark::State& state)
{
    const BenchSimulator simulator;
    com::ClassRegistry& classes = com::ClassRegistry::instance();
    classes.registerServer(QStringLiteral(ZELTOR_PLUGIN_LIBRARY));
    QWidget hostWindow;
    hostWindow.resize(640, 450);
    for (auto _ : state) {
        const auto dialog = classes.createAs<Nelvar::ISetup>(QStringLiteral("ZeltorPlugin.CZeltorControlPanel"))->CreateDialog();
        dialog->Dock(&hostWindow);
        dialog->Move(0, 0, 640, 450);
        dialog->Show(0);
        hostWindow.findChild<QTabBar*>(QStringLiteral("tbsTabStrip"))->setCurrentIndex(1);
        events::EventLoop::current().pumpOnce();
        if (hostWindow.findChild<QTreeWidget*>(QStringLiteral("lvwSlotInfo"))->topLevelItemCount() != 9) {
            state.SkipWithError("the control panel did not list the nine slots");
            break;
        }
        dialog->Unload();
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_VentilatorPagesShownAndUnloaded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ControlPanelListsTheSlots)->Unit(benchmark::kMillisecond);
