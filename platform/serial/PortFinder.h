#pragma once

#include "DataLink.h"

#include <functional>

namespace serial {

// Which port the instrument is on: the port the host was told (its --port option), or else the
// ZELTOR_PORT environment variable. Either is a device path or the name of a virtual port.
void setConfiguredPort(const QString& port);
QString configuredPort();

// A port served in-process (the word `sim` for the built-in simulated instrument). The factory
// opens a new link each time the port is opened.
using VirtualPortFactory = std::function<std::shared_ptr<IDataLink>()>;
void registerVirtualPort(const QString& name, VirtualPortFactory factory);
void unregisterVirtualPort(const QString& name);

// The manager and port finder of the communication library. FindInstrument gives id 1 when the
// configured port is a registered virtual port or a device that can be opened, 0 otherwise.
class PortFinder final : public IPortFinder {
public:
    void FindInstrument(const QString& name, const QString& detail, int32_t& id) override;
    std::shared_ptr<IDataLink> OpenPort(int32_t id, const QString& settings) override;
};

class DataLinkManager final : public IDataLinkManager {
public:
    std::shared_ptr<IPortFinder> Ports() override;
};

} // namespace serial
