#pragma once

#include "CConfigVentilator.h"
#include "CPreDefinedTrendSettings.h"
#include "CResultVentilator.h"
#include "CTestVentilator.h"

#include "HostFixture.h"
#include "ScriptedTestGuideWindow.h"

#include "GMTI.h"
#include "SimulatorPort.h"

#include "serial/PortFinder.h"
#include "testmodel/TestSequence.h"

#include <functional>
#include <memory>

// A ventilator test element with its default configuration, a run context of the stand-in host,
// scripted test guide windows, and the instrument on the port "sim" (the built-in simulator) or
// "scripted" (a ScriptedInstrument of the test's own), all on the virtual clock.
class VentilatorRunFixture : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        ZeltorVTI::GMTI.ResetVTI();
        element = ZeltorTests::CTestVentilator::create();
        configuration()->LoadDefaultSettings();
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

    std::shared_ptr<ZeltorTests::CConfigVentilator> configuration() const
    {
        return std::dynamic_pointer_cast<ZeltorTests::CConfigVentilator>(element->Configuration());
    }
    std::shared_ptr<ZeltorTests::CResultVentilator> result() const
    {
        return std::dynamic_pointer_cast<ZeltorTests::CResultVentilator>(element->Result());
    }

    // Raises a window event at a virtual time, on the window open then.
    void raiseAt(int64_t time, void (ZeltorTests::ITestGuideEvents::*event)())
    {
        loop->at(time, [this, event] {
            ASSERT_NE(windows.current(), nullptr) << "no window is open";
            (windows.current()->events().*event)();
        });
    }

    void perform() { element->Perform(sequence); }

    std::shared_ptr<ZeltorTests::CTestVentilator> element;
    std::shared_ptr<host::TestSequence> sequence;
    ScriptedTestGuideWindows windows;
};
