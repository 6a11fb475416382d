#pragma once

#include "HostFixture.h"

#include "SimulatorPort.h"
#include "com/ClassRegistry.h"
#include "serial/PortFinder.h"

// The host's windows in the test's own process: the plug-in's libraries registered and the
// simulated instrument on port "sim", the configured port.
class PlugInOnSimulatorFixture : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        com::ClassRegistry& classes = com::ClassRegistry::instance();
        classes.registerServer(QStringLiteral(ZELTOR_PLUGIN_LIBRARY));
        classes.registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
        simulator::registerSimulatorPort();
        serial::setConfiguredPort(QStringLiteral("sim"));
    }
    void TearDown() override
    {
        serial::setConfiguredPort(QString());
        HostFixture::TearDown();
    }
};
