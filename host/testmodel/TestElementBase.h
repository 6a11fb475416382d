#pragma once

#include "TestFilter.h"
#include "TestInfo.h"

#include "TestElement.h"

#include <memory>

namespace host {

// The host's object behind a test element: its identity, configuration, limits, result, info
// and filter, and its saved form.
//
// Record: <TestElement PlugIn="Zeltor" TestID="100" ID="100" Filter="1"> holding, in this order,
// the configuration's element ("PlugInData"), the limits' ("ExpectedResult") and, while a
// result is held, the result's ("ResultItem"); a part that gives no element is left out.
class TestElementBase final : public Nelvar::ITestElementBase {
public:
    void Initialize(const QString& plugInID, int32_t testID, int32_t id) override;
    QString PlugInID() const override { return m_plugInID; }
    int32_t TestID() const override { return m_testID; }
    int32_t ID() const override { return m_id; }
    void setID(int32_t id) override { m_id = id; }
    // The parent holds the element, so the base does not hold the parent: none once it is gone.
    std::shared_ptr<com::Object> Parent() const override { return m_parent.lock(); }
    void setParent(const std::shared_ptr<com::Object>& parent) override { m_parent = parent; }
    std::shared_ptr<Nelvar::IConfigData> Configuration() const override { return m_configuration; }
    void setConfiguration(const std::shared_ptr<Nelvar::IConfigData>& configuration) override
    {
        m_configuration = configuration;
    }
    std::shared_ptr<Nelvar::ILimitData> Limits() const override { return m_limits; }
    void setLimits(const std::shared_ptr<Nelvar::ILimitData>& limits) override { m_limits = limits; }
    std::shared_ptr<Nelvar::IResultData> Result() const override { return m_result; }
    void setResult(const std::shared_ptr<Nelvar::IResultData>& result) override { m_result = result; }
    std::shared_ptr<Nelvar::ITestInfo> Info() const override { return m_info; }
    std::shared_ptr<Nelvar::ITestFilter> Filter() const override { return m_filter; }

    // A new base with the same identity, info texts and filter flags, and with copies of the
    // configuration and limits made by their own Clone; no parent and no result. A part that
    // gives no copy raises object not set (91).
    std::shared_ptr<Nelvar::ITestElementBase> Clone() const override;
    // A "ResultItem" goes into the result held (91 when none is held). A "TestElement" must be of
    // this base's plug-in and test (invalid call (5) otherwise); its ID and filter flags are taken,
    // "PlugInData" goes to the configuration, "ExpectedResult" to the limits (91 when the part is
    // not held) and "ResultItem" to the result held. With no result held, a saved result is
    // left to the caller, who loads it through the test element, which first gives the base a
    // fresh result. Any other element raises 5; children it does not know are ignored.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override;
    // The record above; `flag` is not used. Raises 91 without a document.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                              int32_t flag) override;
    // The element's heading (its listed name, else its translated type name) with, while a result
    // is held, how the run ended, when and on which instrument (RunSummary.h); then what the
    // configuration, the limits (with the run context) and the result print, in that order.
    // Nothing without a report; a part that fails stops the printing and its error reaches the
    // caller.
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                     const std::shared_ptr<Nelvar::ITestSequence>& sequence) override;
    // Releases the configuration, limits, result and parent.
    void Terminate() override;

    static const QString kElementName;

private:
    void loadTestElement(const Nelvar::IXmlElement& element, const std::shared_ptr<com::Object>& owner);

    QString m_plugInID;
    int32_t m_testID = 0;
    int32_t m_id = 0;
    std::weak_ptr<com::Object> m_parent;
    std::shared_ptr<Nelvar::IConfigData> m_configuration;
    std::shared_ptr<Nelvar::ILimitData> m_limits;
    std::shared_ptr<Nelvar::IResultData> m_result;
    const std::shared_ptr<TestInfo> m_info = std::make_shared<TestInfo>();
    const std::shared_ptr<TestFilter> m_filter = std::make_shared<TestFilter>();
};

} // namespace host
