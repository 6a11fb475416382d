#pragma once

#include "elements/ConfigurationRecord.h"

#include <cstdint>
#include <memory>

namespace ZeltorTests {

// The configuration of a single-reading test (leakage 200, flow 300, pressure 400, high pressure
// 500): the duration, the noise level, the test kind, the reported parameters and the host's
// test-guide options. A new object holds no parameter list and no test-guide options until
// LoadDefaultSettings, Clone or the setters supply them. Persisted as "PlugInData".
class CConfigZeltor final : public ConfigurationRecord {
public:
    CConfigZeltor();

    // Sent to the instrument by every kind; the flow test's dead band and only its record keep it.
    int32_t NoiseLevel() const { return m_noiseLevel; }
    void setNoiseLevel(int32_t noiseLevel) { m_noiseLevel = noiseLevel; }
    // The owning element's test identifier; only the first non-zero value is taken.
    int32_t TestKind() const { return m_testKind; }
    void setTestKind(int32_t testKind);

    // IZeltorConfiguration
    // The readings of the test kind, 60 minutes, noise level 500 and new host test-guide options;
    // then, when the settings key holds any value, its "Duration" and "NoiseLevel". A failing
    // step is skipped.
    void LoadDefaultSettings() override;

    // IConfigData
    // A copy with the same values and copies of the parameter list and test-guide options held;
    // failures are passed on wrapped with this class's source.
    std::shared_ptr<Nelvar::IConfigData> Clone() const override;
    // Reads a "PlugInData" record of this plug-in (see ConfigurationRecord), then "NoiseLevel",
    // whatever the test kind, and the test-guide options. The system's own errors pass on
    // unchanged, others wrapped with this class's source.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override;

private:
    // After the parameter list: "NoiseLevel" for the flow test only, then the test-guide options.
    void appendOwnChildren(Nelvar::IXmlElement& record, const std::shared_ptr<Nelvar::IXmlDocument>& document) override;
    void loadOwnChildren(const Nelvar::IXmlElement& record, const std::shared_ptr<com::Object>& owner) override;
    // The single-reading page, handed this configuration.
    QString pageClass() const override;
    com::Value pageData() override;

    int32_t m_noiseLevel = 0;
    int32_t m_testKind = 0;
};

} // namespace ZeltorTests
