#pragma once

#include "InstrumentMemory.h"
#include "SimulatorSettings.h"

#include "serial/MemoryLink.h"

#include <memory>

namespace simulator {

// The system's end of a fresh in-memory link with a simulated instrument at its other end; the
// link keeps the instrument alive until it is closed or dropped. The instrument keeps what it is
// sent in `memory` (none: a fresh instrument's memory of its own). Raises std::invalid_argument
// when the lung settings make no breath.
std::shared_ptr<serial::MemoryLink> openSimulatorLink(const SimulatorSettings& settings = {},
                                                      std::shared_ptr<InstrumentMemory> memory = nullptr);

// Serves the virtual port "sim": every open gets its own link to one instrument, which starts in
// local mode and keeps the views, operator, establishment and serial number of the earlier opens;
// registering again switches on a fresh instrument. Raises std::invalid_argument when the lung
// settings make no breath.
void registerSimulatorPort(SimulatorSettings settings = {});

} // namespace simulator
