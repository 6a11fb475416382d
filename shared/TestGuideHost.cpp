#include "TestGuideHost.h"

#include "com/Error.h"

namespace Nelvar {

namespace {

TestGuideHost& installed()
{
    static TestGuideHost host;
    return host;
}

template <typename Control>
std::unique_ptr<Control> createControl(const std::function<std::unique_ptr<Control>(QWidget*)>& factory,
                                       const char* className, QWidget* parent)
{
    auto control = factory ? factory(parent) : nullptr;
    if (!control)
        throw com::Error::cannotCreateObject(QString::fromLatin1(className));
    return control;
}

} // namespace

void installTestGuideHost(TestGuideHost host)
{
    installed() = std::move(host);
}

ITestGuideServices& testGuideServices()
{
    if (!installed().services)
        throw com::Error::objectNotSet(QStringLiteral("ITestGuideServices"));
    return *installed().services;
}

std::unique_ptr<XTestGuideWizard> createTestGuideWizard(QWidget* parent)
{
    return createControl(installed().createWizard, "XTestGuideWizard", parent);
}

std::unique_ptr<XTestGuideStatusBar> createTestGuideStatusBar(QWidget* parent)
{
    return createControl(installed().createStatusBar, "XTestGuideStatusBar", parent);
}

std::unique_ptr<XProgressSphere> createProgressSphere(QWidget* parent)
{
    return createControl(installed().createProgressSphere, "XProgressSphere", parent);
}

} // namespace Nelvar
