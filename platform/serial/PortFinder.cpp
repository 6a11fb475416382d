#include "PortFinder.h"

#include "SerialPortLink.h"
#include "com/Error.h"

#include <QSerialPort>

#include <map>

namespace serial {

namespace {

constexpr int32_t kConfiguredPortId = 1;

QString& configuredPortSetting()
{
    static QString port;
    return port;
}

std::map<QString, VirtualPortFactory>& virtualPorts()
{
    static std::map<QString, VirtualPortFactory> ports;
    return ports;
}

std::shared_ptr<IDataLinkManager>& installedManager()
{
    static std::shared_ptr<IDataLinkManager> manager;
    return manager;
}

com::Error openFailure(const QString& port, const QString& why)
{
    return com::Error(kErrPortOpenFailed, QString::fromLatin1(kErrorSource),
                      QStringLiteral("Cannot open port %1: %2").arg(port, why));
}

} // namespace

void setConfiguredPort(const QString& port)
{
    configuredPortSetting() = port;
}

QString configuredPort()
{
    if (!configuredPortSetting().isEmpty())
        return configuredPortSetting();
    return qEnvironmentVariable("ZELTOR_PORT");
}

void registerVirtualPort(const QString& name, VirtualPortFactory factory)
{
    virtualPorts()[name] = std::move(factory);
}

void unregisterVirtualPort(const QString& name)
{
    virtualPorts().erase(name);
}

void PortFinder::FindInstrument(const QString&, const QString&, int32_t& id)
{
    id = 0;
    const QString port = configuredPort();
    if (port.isEmpty())
        return;
    if (virtualPorts().contains(port)) {
        id = kConfiguredPortId;
        return;
    }
    QSerialPort probe(port);
    if (probe.open(QIODevice::ReadWrite)) {
        probe.close();
        id = kConfiguredPortId;
    }
}

std::shared_ptr<IDataLink> PortFinder::OpenPort(int32_t id, const QString& settings)
{
    const QString port = configuredPort();
    if (id != kConfiguredPortId || port.isEmpty())
        throw openFailure(port, QStringLiteral("no such port"));
    if (const auto it = virtualPorts().find(port); it != virtualPorts().end()) {
        auto link = it->second();
        if (!link)
            throw openFailure(port, QStringLiteral("the virtual port refused"));
        return link;
    }
    const LineSettings line = parseLineSettings(settings);
    QString why;
    auto link = SerialPortLink::open(port, line, why);
    if (!link)
        throw openFailure(port, why);
    return link;
}

std::shared_ptr<IPortFinder> DataLinkManager::Ports()
{
    return std::make_shared<PortFinder>();
}

std::shared_ptr<IDataLinkManager> dataLinkManager()
{
    auto& manager = installedManager();
    if (!manager)
        manager = std::make_shared<DataLinkManager>();
    return manager;
}

void installDataLinkManager(std::shared_ptr<IDataLinkManager> manager)
{
    installedManager() = std::move(manager);
}

} // namespace serial
