#include "HostFixture.h"

#include "Host.h"
#include "Product.h"
#include "Registry.h"

#include "com/ClassRegistry.h"

void HostFixture::SetUp()
{
    ASSERT_TRUE(m_registryDir.isValid());
    qputenv("NELVAR_REGISTRY", m_registryDir.filePath(QStringLiteral("registry.json")).toLocal8Bit());
    host::installHost();
    loop = std::make_shared<events::VirtualEventLoop>();
    events::EventLoop::install(loop);
    boxes = std::make_shared<events::ScriptedMessageBoxes>();
    events::MessageBoxes::install(boxes);
}

void HostFixture::TearDown()
{
    events::MessageBoxes::install(nullptr);
    events::EventLoop::install(nullptr);
    qunsetenv("NELVAR_REGISTRY");
}

void HostFixture::setSetting(const QString& name, const com::Value& value)
{
    const auto registry =
        com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(QString::fromLatin1(Nelvar::kRegistryProgId));
    registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
    registry->SetValue(name, value);
}
