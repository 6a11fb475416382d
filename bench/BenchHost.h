#pragma once

#include "Host.h"
#include "events/ScriptedMessageBoxes.h"
#include "events/VirtualEventLoop.h"

#include <QTemporaryDir>

#include <cstdint>
#include <memory>

// The stand-in host for a benchmark: its services, a registry file in a temporary folder, a
// virtual clock without a pump cap and message boxes that answer at once.
class BenchHost {
public:
    BenchHost()
    {
        qputenv("NELVAR_REGISTRY", m_registryDir.filePath(QStringLiteral("registry.json")).toLocal8Bit());
        host::installHost();
        events::EventLoop::install(std::make_shared<events::VirtualEventLoop>(INT64_MAX));
        events::MessageBoxes::install(std::make_shared<events::ScriptedMessageBoxes>());
    }

private:
    QTemporaryDir m_registryDir;
};
