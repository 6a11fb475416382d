#pragma once

#include "RunContext.h"

namespace host {

// The test-guide settings of one test: ITestGuideConfig::EFlags bits.
//
// Record: <TestGuideSettings Flags="3"/>.
class TestGuideConfig final : public Nelvar::ITestGuideConfig {
public:
    std::shared_ptr<Nelvar::ITestGuideConfig> Clone() const override;
    // Raises 91 without a document.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override;
    // Raises 91 without an element, invalid call (5) for an element of another name and type
    // mismatch (13) for flags that are no number, leaving the settings as they were. The owner
    // is not used.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override;
    int32_t Flags() const override { return m_flags; }
    void setFlags(int32_t flags) { m_flags = flags; }

    static const QString kElementName;

private:
    int32_t m_flags = 0;
};

} // namespace host
