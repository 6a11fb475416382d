#pragma once

#include "Dialogs.h"
#include "TestElement.h"

#include <QString>

#include <memory>
#include <vector>

namespace Nelvar {
class ILimit;
class XLimitView;
}

namespace ZeltorTests {

class CParameterList;
class IDialogWrapper;
class IZeltorConfiguration;

// The expected results of a test element: the host's standards, each holding one limit per
// parameter the test measures. A limit exists for every selected parameter of the owner's
// configuration that is not a waveform channel; it is named by the parameter key, carries the
// parameter's display unit text and converts with the parameter's converter. The limits' values
// and checks are the host's. Persisted as "ExpectedResult".
//
// Its limit page is the host's ("NelvarView.XLimitView"), filled with one row per limit of the
// owner's configuration; a unit edited on it reaches LimitChanged, and SyncStandards fills an open
// page again.
class CZeltorLimitData final : public Nelvar::ILimitData, public std::enable_shared_from_this<CZeltorLimitData> {
public:
    CZeltorLimitData() = default;
    CZeltorLimitData(const CZeltorLimitData&) = delete;
    CZeltorLimitData& operator=(const CZeltorLimitData&) = delete;
    // Clears the standards.
    ~CZeltorLimitData() override;

    // The test element whose configuration decides the limits; not kept alive by this object.
    void SetOwner(const std::shared_ptr<Nelvar::ITestElement>& owner) { m_owner = owner; }
    // Gives every numeric limit the converter and base unit text of its parameter in the
    // configuration; a limit of a parameter that the configuration lacks raises subscript (9), naming
    // the limit.
    void ApplyConversions(const std::shared_ptr<IZeltorConfiguration>& configuration);
    // Brings every standard in line with the owner's parameter selection: a deselected
    // parameter loses its limit, a newly selected one gets a fresh limit without values; an open
    // limit page is filled again.
    void SyncStandards();
    // The standards become a copy of the other's (none when it has none); none changes nothing.
    void CopyStandardsFrom(const std::shared_ptr<Nelvar::ILimitData>& other);
    // A limit's unit was changed on the limit page: the parameter takes that display unit for
    // the whole test, every limit of that parameter in every standard takes it too, and the
    // standards are brought in line. A unit that the parameter cannot be shown in puts the
    // limit's unit back to the parameter's display unit and changes nothing else.
    void LimitChanged(const std::shared_ptr<Nelvar::ILimit>& limit);

    // ILimitData
    QString Description() const override { return {}; }
    void setDescription(const QString&) override {}
    bool HasDialog() const override { return true; }
    // The host's limit page in the test library's dialog host form, filled with the owner's
    // parameters and these standards; none when the host has no limit page.
    std::shared_ptr<Nelvar::IDialog> CreateDialog() override;
    std::shared_ptr<Nelvar::IStandards> Standards() const override { return m_standards; }
    std::shared_ptr<Nelvar::ITestElement> Owner() const override { return m_owner.lock(); }
    // A new limit data with a copy of these standards and no owner.
    std::shared_ptr<Nelvar::ILimitData> Clone() const override;
    // A new standard with one limit per parameter that needs one, added to the standards (which
    // are made when there are none yet).
    std::shared_ptr<Nelvar::IStandard> CreateStandard(const QString& name, const QString& key2) override;
    // Replaces the standards by those of an "ExpectedResult" element, none when it holds none;
    // raises 0x8004A4EE for another element and wraps host failures with this class's source.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override;
    // The standards' element renamed "ExpectedResult" (not appended); none without standards.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override;
    // When there are standards: the host's standards print themselves with the run's limit
    // context and a table of every parameter of the owner's configuration (key, translated
    // caption, value format). Failures reach the caller.
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                     const std::shared_ptr<Nelvar::ITestSequence>& sequence) override;
    void UpdateLimits(const std::shared_ptr<com::Object>&) override {}
    // The standards of this limit data that the measurement's current value fails, among those
    // named (by name and second key) in the context; none when it fails none. Reports no error.
    std::shared_ptr<Nelvar::IStandards> FindFailedStandards(const std::shared_ptr<Nelvar::IMeasurement>& measurement,
                                                            const std::shared_ptr<Nelvar::IStandards>& context) override;

    // One row on the limit page per parameter of the configuration that has a limit: key,
    // translated caption and unit list.
    static void ParseLimitsToDialog(Nelvar::XLimitView& page, const IZeltorConfiguration& configuration);

private:
    // The owner's configuration; raises object not set (91) without one, type mismatch (13) for
    // a configuration of another plug-in.
    const IZeltorConfiguration& ownerConfiguration() const;
    std::shared_ptr<CParameterList> ownerParameters() const;
    // The open page filled again from the owner's configuration and these standards.
    void refreshDialog();
    void pageEvent(const QString& eventName, const std::vector<com::Value>& args);

    std::shared_ptr<Nelvar::IStandards> m_standards;
    std::weak_ptr<Nelvar::ITestElement> m_owner;
    // The open limit page, held by the host; its notifications arrive while it is open.
    std::weak_ptr<IDialogWrapper> m_dialog;
    std::unique_ptr<Nelvar::CallBackPipe::Subscription> m_dialogUnload;
    std::unique_ptr<Nelvar::CallBackPipe::Subscription> m_dialogEvents;
};

} // namespace ZeltorTests
