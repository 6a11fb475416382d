#pragma once

#include "QtPrinters.h"

#include "com/Value.h"
#include "events/ScriptedMessageBoxes.h"
#include "events/VirtualEventLoop.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The stand-in host with a fresh registry file, a virtual clock and scripted message boxes: what
// every test of the system's components runs on.
class HostFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes one value of the plug-in's settings key in the host registry.
    static void setSetting(const QString& name, const com::Value& value);

    std::shared_ptr<events::VirtualEventLoop> loop;
    std::shared_ptr<events::ScriptedMessageBoxes> boxes;

private:
    QTemporaryDir m_registryDir;
};
