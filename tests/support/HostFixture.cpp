#include "HostFixture.h"

#include "Host.h"

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
