#pragma once

#include "IZeltorConfiguration.h"

#include "TestElement.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace ZeltorTests {

class CPreDefinedTrendSettings;
class CSettings;

// The configuration of a ventilator test: the measured and shown parameters, the measurement
// settings sent to the instrument, the run duration, the host's test-guide options and the
// predefined trend. A new object holds nothing (duration 0) until LoadDefaultSettings, Clone or
// its owner fills it. Persisted as "PlugInData".
class CConfigVentilator final : public Nelvar::IConfigData, public IZeltorConfiguration {
public:
    // IZeltorConfiguration
    std::shared_ptr<CParameterList> Parameters() const override { return m_parameters; }
    void setParameters(std::shared_ptr<CParameterList> parameters) override { m_parameters = std::move(parameters); }
    std::shared_ptr<Nelvar::ITestGuideConfig> TestGuideConfig() const override { return m_testGuideConfig; }
    void setTestGuideConfig(std::shared_ptr<Nelvar::ITestGuideConfig> testGuideConfig) override
    {
        m_testGuideConfig = std::move(testGuideConfig);
    }
    // The 19 ventilator parameters with the template view selected, new measurement settings
    // with the registry's defaults, a new host test-guide configuration, new predefined trend
    // settings and 60 minutes or the registry's "Duration". A failing step is skipped.
    void LoadDefaultSettings() override;

    const std::shared_ptr<CSettings>& Settings() const { return m_settings; }
    void setSettings(std::shared_ptr<CSettings> settings) { m_settings = std::move(settings); }
    // Minutes; 0 runs without end.
    int32_t Duration() const { return m_duration; }
    void setDuration(int32_t minutes) { m_duration = minutes; }
    const std::shared_ptr<CPreDefinedTrendSettings>& TrendSettings() const { return m_trendSettings; }
    void setTrendSettings(std::shared_ptr<CPreDefinedTrendSettings> trendSettings)
    {
        m_trendSettings = std::move(trendSettings);
    }
    // The test element that owns this configuration; not kept alive by it, never copied or
    // saved. Setting none is ignored.
    std::shared_ptr<Nelvar::ITestElement> OwnerTest() const { return m_ownerTest.lock(); }
    void setOwnerTest(const std::shared_ptr<Nelvar::ITestElement>& owner);

    // IConfigData
    bool HasDialog() const override { return true; }
    // Copies of the parts this configuration holds and its duration, without the owner; none
    // when a part cannot be copied.
    std::shared_ptr<Nelvar::IConfigData> Clone() const override;
    // Reads a "PlugInData" record of this plug-in; raises 0x8004A3C2 for another element or
    // plug-in. Each child present goes to its part, so a child whose part this configuration
    // does not hold raises object not set (91). Failures end the load unchanged; children read
    // before keep their new values.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override;
    // A new "PlugInData" element (not appended): "Duration" first, then the elements of the
    // parameter list, test-guide options, predefined trend and measurement settings that this
    // configuration holds. Failures end the save unchanged.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override;
    // The configuration prints nothing.
    void PrintReport(const std::shared_ptr<Nelvar::IReport>&) override {}

private:
    std::shared_ptr<CParameterList> m_parameters;
    std::shared_ptr<CSettings> m_settings;
    int32_t m_duration = 0;
    std::shared_ptr<Nelvar::ITestGuideConfig> m_testGuideConfig;
    std::shared_ptr<CPreDefinedTrendSettings> m_trendSettings;
    std::weak_ptr<Nelvar::ITestElement> m_ownerTest;
};

} // namespace ZeltorTests
