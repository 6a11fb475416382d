#pragma once

#include "IZeltorConfiguration.h"

#include "TestElement.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace ZeltorTests {

// The configuration of a single-reading test (leakage 200, flow 300, pressure 400, high pressure
// 500): the duration, the noise level, the test kind, the reported parameters and the host's
// test-guide options. A new object holds no parameter list and no test-guide options until
// LoadDefaultSettings, Clone or the setters supply them. Persisted as "PlugInData".
class CConfigZeltor final : public Nelvar::IConfigData, public IZeltorConfiguration {
public:
    // Minutes; 0 runs without end.
    int32_t Duration() const { return m_duration; }
    void setDuration(int32_t minutes) { m_duration = minutes; }
    // Sent to the instrument by every kind; the flow test's dead band and only its record keep it.
    int32_t NoiseLevel() const { return m_noiseLevel; }
    void setNoiseLevel(int32_t noiseLevel) { m_noiseLevel = noiseLevel; }
    // The owning element's test identifier; only the first non-zero value is taken.
    int32_t TestKind() const { return m_testKind; }
    void setTestKind(int32_t testKind);

    // IZeltorConfiguration
    std::shared_ptr<CParameterList> Parameters() const override { return m_parameters; }
    void setParameters(std::shared_ptr<CParameterList> parameters) override { m_parameters = std::move(parameters); }
    std::shared_ptr<Nelvar::ITestGuideConfig> TestGuideConfig() const override { return m_testGuideConfig; }
    void setTestGuideConfig(std::shared_ptr<Nelvar::ITestGuideConfig> testGuideConfig) override
    {
        m_testGuideConfig = std::move(testGuideConfig);
    }
    // The readings of the test kind, 60 minutes, noise level 500 and new host test-guide options;
    // then, when the settings key holds any value, its "Duration" and "NoiseLevel". A failing
    // step is skipped.
    void LoadDefaultSettings() override;

    // IConfigData
    bool HasDialog() const override { return true; }
    // A copy with the same values and copies of the parameter list and test-guide options held;
    // failures are passed on wrapped with this class's source.
    std::shared_ptr<Nelvar::IConfigData> Clone() const override;
    // Reads a "PlugInData" record of this plug-in; raises 0x8004A3C2, before anything changes,
    // for another element or plug-in. Each child present goes to its member, whatever the test
    // kind; the system's own errors pass on unchanged, others wrapped with this class's source.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override;
    // A new "PlugInData" element (not appended): "Duration", the parameter list, "NoiseLevel" for
    // the flow test only, the test-guide options. Failures end the save unchanged.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override;
    // The configuration prints nothing.
    void PrintReport(const std::shared_ptr<Nelvar::IReport>&) override {}

private:
    int32_t m_duration = 0;
    int32_t m_noiseLevel = 0;
    int32_t m_testKind = 0;
    std::shared_ptr<CParameterList> m_parameters;
    std::shared_ptr<Nelvar::ITestGuideConfig> m_testGuideConfig;
};

} // namespace ZeltorTests
