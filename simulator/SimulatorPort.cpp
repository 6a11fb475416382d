#include "SimulatorPort.h"

#include "InstrumentSimulator.h"

#include "serial/PortFinder.h"

#include <stdexcept>

namespace simulator {

namespace {

// What the link keeps alive: the instrument and its end of the link.
struct SimulatedInstrument {
    std::shared_ptr<serial::MemoryInstrumentEnd> end;
    std::shared_ptr<InstrumentSimulator> simulator;
};

} // namespace

std::shared_ptr<serial::MemoryLink> openSimulatorLink(const SimulatorSettings& settings,
                                                      std::shared_ptr<InstrumentMemory> memory)
{
    auto [link, end] = serial::MemoryLink::createPair();
    std::weak_ptr<serial::MemoryInstrumentEnd> toSystem = end;
    auto instrument = std::make_shared<SimulatedInstrument>();
    instrument->end = end;
    instrument->simulator = std::make_shared<InstrumentSimulator>(settings, [toSystem](const QByteArray& bytes) {
        if (const auto target = toSystem.lock())
            target->write(bytes);
    }, std::move(memory));
    std::weak_ptr<InstrumentSimulator> simulator = instrument->simulator;
    end->setReader([simulator](const QByteArray& bytes) {
        if (const auto peer = simulator.lock())
            peer->receive(bytes);
    });
    link->keepAlive(std::move(instrument));
    return link;
}

void registerSimulatorPort(SimulatorSettings settings)
{
    if (const QString problem = lungSettingsProblem(settings.lung); !problem.isEmpty())
        throw std::invalid_argument(problem.toStdString());
    auto memory = InstrumentMemory::startingFrom(settings);
    serial::registerVirtualPort(QStringLiteral("sim"),
                                [settings = std::move(settings), memory]() -> std::shared_ptr<serial::IDataLink> {
                                    return openSimulatorLink(settings, memory);
                                });
}

} // namespace simulator
