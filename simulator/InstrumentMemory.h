#pragma once

#include "ParameterViews.h"
#include "SimulatorSettings.h"

#include <QString>

#include <memory>

namespace simulator {

// What the instrument keeps while it is switched on, whichever connection talks to it: the
// parameter views in its slots and the operator, establishment and serial number it was sent.
struct InstrumentMemory {
    ParameterViews views;
    QString operatorName;
    QString establishment;
    QString serialNumber;

    // An instrument just switched on, as the settings describe it: no views stored.
    static std::shared_ptr<InstrumentMemory> startingFrom(const SimulatorSettings& settings)
    {
        auto memory = std::make_shared<InstrumentMemory>();
        memory->operatorName = settings.operatorName;
        memory->establishment = settings.establishment;
        memory->serialNumber = settings.identity.serialNumber;
        return memory;
    }
};

} // namespace simulator
