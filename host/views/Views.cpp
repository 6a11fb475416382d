#include "Views.h"

#include "ProgressSphere.h"
#include "TestGuideServices.h"
#include "TestGuideStatusBar.h"
#include "TestGuideWizard.h"

namespace host {

void installTestGuideViews()
{
    static const auto services = std::make_shared<TestGuideServices>();
    Nelvar::installTestGuideHost({
        services,
        [](QWidget* parent) { return std::make_unique<TestGuideWizard>(parent); },
        [](QWidget* parent) { return std::make_unique<TestGuideStatusBar>(parent); },
        [](QWidget* parent) { return std::make_unique<ProgressSphere>(parent); },
    });
}

} // namespace host
