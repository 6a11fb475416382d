#include "TestGuideWindow.h"

namespace ZeltorTests {

namespace {

TestGuideWindowFactory& installedFactory()
{
    static TestGuideWindowFactory factory;
    return factory;
}

} // namespace

void setTestGuideWindowFactory(TestGuideWindowFactory factory)
{
    installedFactory() = std::move(factory);
}

std::unique_ptr<ITestGuideWindow> createTestGuideWindow(ITestGuideEvents& events)
{
    const TestGuideWindowFactory& factory = installedFactory();
    return factory ? factory(events) : nullptr;
}

} // namespace ZeltorTests
