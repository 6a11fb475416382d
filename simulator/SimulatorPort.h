#pragma once

#include "SimulatorSettings.h"

#include "serial/MemoryLink.h"

#include <memory>

namespace simulator {

// The system's end of a fresh in-memory link with a fresh simulated instrument at its other end;
// the link keeps the instrument alive until it is closed or dropped. Raises std::invalid_argument
// when the lung settings make no breath.
std::shared_ptr<serial::MemoryLink> openSimulatorLink(const SimulatorSettings& settings = {});

// Serves the virtual port "sim": every open gets its own link and instrument. Raises
// std::invalid_argument when the lung settings make no breath.
void registerSimulatorPort(SimulatorSettings settings = {});

} // namespace simulator
