#pragma once

#include "BenchHost.h"

#include "GMTI.h"
#include "SimulatorPort.h"
#include "serial/PortFinder.h"

// The stand-in host with the built-in simulated instrument on the port "sim", for benchmarks that
// run tests against it; the instrument link is dropped again at the end.
class BenchSimulator {
public:
    BenchSimulator()
    {
        simulator::registerSimulatorPort();
        serial::setConfiguredPort(QStringLiteral("sim"));
    }
    ~BenchSimulator()
    {
        ZeltorVTI::GMTI.ResetVTI();
        serial::unregisterVirtualPort(QStringLiteral("sim"));
    }
    BenchSimulator(const BenchSimulator&) = delete;
    BenchSimulator& operator=(const BenchSimulator&) = delete;

private:
    BenchHost m_host;
};
