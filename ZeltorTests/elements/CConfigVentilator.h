#pragma once

#include "elements/ConfigurationRecord.h"

#include <memory>
#include <utility>

namespace ZeltorTests {

class CPreDefinedTrendSettings;
class CSettings;

// The configuration of a ventilator test: the measured and shown parameters, the measurement
// settings sent to the instrument, the run duration, the host's test-guide options and the
// predefined trend. A new object holds nothing (duration 0) until LoadDefaultSettings, Clone or
// its owner fills it. Persisted as "PlugInData".
class CConfigVentilator final : public ConfigurationRecord {
public:
    CConfigVentilator();

    // The 19 ventilator parameters with the template view selected, new measurement settings
    // with the registry's defaults, a new host test-guide configuration, new predefined trend
    // settings and 60 minutes or the registry's "Duration". A failing step is skipped.
    void LoadDefaultSettings() override;

    const std::shared_ptr<CSettings>& Settings() const { return m_settings; }
    void setSettings(std::shared_ptr<CSettings> settings) { m_settings = std::move(settings); }
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
    // Copies of the parts this configuration holds and its duration, without the owner; none
    // when a part cannot be copied.
    std::shared_ptr<Nelvar::IConfigData> Clone() const override;
    // Reads a "PlugInData" record of this plug-in (see ConfigurationRecord), then the test-guide
    // options, predefined trend and measurement settings. Failures end the load unchanged.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override;

private:
    // After the parameter list: the test-guide options, predefined trend and measurement settings.
    void appendOwnChildren(Nelvar::IXmlElement& record, const std::shared_ptr<Nelvar::IXmlDocument>& document) override;
    void loadOwnChildren(const Nelvar::IXmlElement& record, const std::shared_ptr<com::Object>& owner) override;
    // The ventilator page, handed the owning test element.
    QString pageClass() const override;
    com::Value pageData() override;

    std::shared_ptr<CSettings> m_settings;
    std::shared_ptr<CPreDefinedTrendSettings> m_trendSettings;
    std::weak_ptr<Nelvar::ITestElement> m_ownerTest;
};

} // namespace ZeltorTests
