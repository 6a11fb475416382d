#pragma once

#include "HostFixture.h"
#include "ScriptedTestGuideWindow.h"

#include "GMTI.h"
#include "SimulatorPort.h"
#include "Standards.h"
#include "TestElement.h"

#include "serial/PortFinder.h"
#include "testmodel/TestSequence.h"

#include <memory>

// What the runs of both test elements need: a run context of the stand-in host, scripted test
// guide windows, and the instrument on the port "sim" (the built-in simulator) or "scripted" (a
// ScriptedInstrument of the test's own), all on the virtual clock.
class TestRunFixture : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        ZeltorVTI::GMTI.ResetVTI();
        sequence = std::make_shared<host::TestSequence>();
    }

    void TearDown() override
    {
        ZeltorVTI::GMTI.ResetVTI();
        serial::unregisterVirtualPort(QStringLiteral("sim"));
        serial::setConfiguredPort(QString());
        HostFixture::TearDown();
    }

    void useSimulator(const simulator::SimulatorSettings& settings = {})
    {
        simulator::registerSimulatorPort(settings);
        serial::setConfiguredPort(QStringLiteral("sim"));
    }

    // Raises a window event at a virtual time, on the window open then.
    void raiseAt(int64_t time, void (ZeltorTests::ITestGuideEvents::*event)())
    {
        loop->at(time, [this, event] {
            ASSERT_NE(windows.current(), nullptr) << "no window is open";
            (windows.current()->events().*event)();
        });
    }

    // Gives the run context a limit context of one standard that sets no limit: every measured
    // value is judged, and passes.
    void judgeWithoutLimits(Nelvar::ILimitData& limits)
    {
        limits.CreateStandard(QStringLiteral("Standard"), QStringLiteral("A"));
        sequence->setLimitContext(limits.Standards()->Clone());
    }

    std::shared_ptr<host::TestSequence> sequence;
    ScriptedTestGuideWindows windows;
};
