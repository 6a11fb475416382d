#pragma once

#include "com/Object.h"

#include <memory>

namespace Nelvar {
class ITestGuideConfig;
}

namespace ZeltorTests {

class CParameterList;

// What every test configuration of the library offers beside the host's IConfigData: its
// parameter definitions with their selection, the host's test-guide options, and the reset to
// the defaults that the plug-in calls on every newly created test.
class IZeltorConfiguration : public virtual com::Object {
public:
    virtual std::shared_ptr<CParameterList> Parameters() const = 0;
    virtual void setParameters(std::shared_ptr<CParameterList> parameters) = 0;
    virtual std::shared_ptr<Nelvar::ITestGuideConfig> TestGuideConfig() const = 0;
    virtual void setTestGuideConfig(std::shared_ptr<Nelvar::ITestGuideConfig> testGuideConfig) = 0;
    // Resets the configuration to its defaults and the user's registry settings; never fails.
    virtual void LoadDefaultSettings() = 0;
};

} // namespace ZeltorTests
