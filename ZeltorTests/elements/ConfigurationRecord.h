#pragma once

#include "IZeltorConfiguration.h"

#include "TestElement.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <utility>

namespace Nelvar {
class IRegistry;
}

namespace ZeltorTests {

// What both test configurations share: the parameter list, the host's test-guide options and the
// duration, their defaults, and the "PlugInData" record that carries them with what each
// configuration adds of its own.
class ConfigurationRecord : public Nelvar::IConfigData,
                            public IZeltorConfiguration,
                            public std::enable_shared_from_this<ConfigurationRecord> {
public:
    // IZeltorConfiguration
    std::shared_ptr<CParameterList> Parameters() const final { return m_parameters; }
    void setParameters(std::shared_ptr<CParameterList> parameters) final { m_parameters = std::move(parameters); }
    std::shared_ptr<Nelvar::ITestGuideConfig> TestGuideConfig() const final { return m_testGuideConfig; }
    void setTestGuideConfig(std::shared_ptr<Nelvar::ITestGuideConfig> testGuideConfig) final
    {
        m_testGuideConfig = std::move(testGuideConfig);
    }

    // Minutes; 0 runs without end. Held to 0 up to the longest duration whose seconds a run can
    // count.
    int32_t Duration() const { return m_duration; }
    void setDuration(int32_t minutes);

    // IConfigData
    bool HasDialog() const final { return true; }
    // The configuration's page (pageClass) in the test library's dialog host form, initialised
    // with the page's data (pageData); none on any failure.
    std::shared_ptr<Nelvar::IDialog> CreateDialog() final;
    // A new "PlugInData" element (not appended) with "PlugIn" = "Zeltor": "Duration" first, the
    // parameter list's element when the list gives one, then the configuration's own children.
    // Failures end the save unchanged.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) final;
    // A configuration prints nothing.
    void PrintReport(const std::shared_ptr<Nelvar::IReport>&) final {}

protected:
    // `errorSource` names the configuration in the error its loading raises for a wrong record.
    explicit ConfigurationRecord(QString errorSource) : m_errorSource(std::move(errorSource)) {}

    // The children of the record that the configuration adds, after the parameter list; the
    // test-guide options among them where the configuration places them.
    virtual void appendOwnChildren(Nelvar::IXmlElement& record, const std::shared_ptr<Nelvar::IXmlDocument>& document) = 0;
    // Reads the children the configuration adds; called by loadRecord.
    virtual void loadOwnChildren(const Nelvar::IXmlElement& record, const std::shared_ptr<com::Object>& owner) = 0;
    // The class name of the configuration's page and the data object it is initialised with.
    virtual QString pageClass() const = 0;
    virtual com::Value pageData() = 0;

    // Reads a "PlugInData" record of this plug-in: raises 0x8004A3C2 with the error source for
    // another element or plug-in, before anything changes. Then "ParameterList" and "Duration",
    // each when present, then loadOwnChildren. A child whose part is not held raises object not
    // set (91). Failures end the load as they are; children read before keep their new values.
    void loadRecord(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner);
    // The test-guide options' child: loaded into the held options ("TestGuideSettings", when
    // present) or appended (when the options give an element).
    void loadTestGuideSettings(const Nelvar::IXmlElement& record, const std::shared_ptr<com::Object>& owner);
    void appendTestGuideSettings(Nelvar::IXmlElement& record, const std::shared_ptr<Nelvar::IXmlDocument>& document);

    // New host test-guide options and 60 minutes. A failing step is skipped.
    void resetSharedDefaults();
    // A new host registry object with the settings key open; none when it cannot be opened.
    static std::shared_ptr<Nelvar::IRegistry> openSettingsKey();
    // The duration from the settings value "Duration"; a missing or unconvertible value keeps it.
    void readDurationSetting(const Nelvar::IRegistry& registry);
    // Gives `copy` copies of the test-guide options and the parameter list held, and the duration.
    void copySharedInto(ConfigurationRecord& copy) const;

private:
    QString m_errorSource;
    std::shared_ptr<CParameterList> m_parameters;
    std::shared_ptr<Nelvar::ITestGuideConfig> m_testGuideConfig;
    int32_t m_duration = 0;
};

} // namespace ZeltorTests
