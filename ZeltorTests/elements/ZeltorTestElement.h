#pragma once

#include "TestElement.h"
#include "elements/TestGuideSession.h"
#include "elements/TestGuideWindow.h"

#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace ZeltorTests {

class CParameterDef;
class CZeltorLimitData;

// What the ventilator test and the single-reading tests share as host test elements: the host's
// element base, which holds the configuration, limits and result and to which most ITestElement
// members go; the loading of a stored element or result; and the stay in the test guide window
// with the operator's navigation. An element adds its identity, its copy, its measurement list and
// its run.
class ZeltorTestElement : public Nelvar::ITestElement,
                          protected ITestGuideEvents,
                          public std::enable_shared_from_this<ZeltorTestElement> {
public:
    // ITestElement, from the element base.
    QString PlugInID() const final;
    int32_t TestID() const final;
    int32_t ID() const final;
    void setID(int32_t id) final;
    std::shared_ptr<com::Object> Parent() const final;
    void setParent(const std::shared_ptr<com::Object>& parent) final;
    std::shared_ptr<Nelvar::ITestInfo> Info() const final;
    std::shared_ptr<Nelvar::ITestFilter> Filter() const final;
    std::shared_ptr<Nelvar::IResultData> Result() const final;
    std::shared_ptr<Nelvar::ILimitData> Limits() const final;
    std::shared_ptr<Nelvar::IConfigData> Configuration() const final;
    // The identity goes to the element base; failures are ignored. The element then takes what it
    // needs of it (identified).
    void Initialize(const QString& plugInID, int32_t testID, int32_t id) final;
    // A new element of this element's class on a clone of this element's base, with the clone's
    // configuration and limits bound to it. A copy that cannot be made is the element's to report
    // (cloneFailed).
    std::shared_ptr<Nelvar::ITestElement> Clone() final;
    // (key, translated caption) rows of the configuration's parameters that the element lists
    // (listsParameter), in list order, in a list of as many rows as the parameter list has
    // selected parameters. A failing step is skipped: without a parameter list there are no rows.
    com::Value GetMeasurementList() final;
    // When the run context allows it: the result prepared (a held one is reused), the test guide
    // window shown until the operator leaves it, then the result dropped or handed over.
    void Perform(const std::shared_ptr<Nelvar::ITestSequence>& sequence) final;
    // A "ResultItem" is read into a fresh result record; the limits then take the unit conversions
    // of the configuration's parameters. Failures are passed on unchanged.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) final;
    // Failures are passed on unchanged.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                              int32_t flag) final;
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                     const std::shared_ptr<Nelvar::ITestSequence>& sequence) final;
    // Any parent, also none, is accepted.
    void QuerySetParent(const std::shared_ptr<com::Object>& parent, bool& answer) final;
    void Terminate() final;
    // The limits' standards take this element as their reference; nothing without limits.
    void UpdateReferences() final;

protected:
    // Creates the host's element base; a failure makes the construction fail.
    ZeltorTestElement();

    // The two-phase factory of the elements: a new `Element` (whose constructor is private and
    // which befriends this class), then the binding of its parts to it.
    template <typename Element>
    static std::shared_ptr<Element> make()
    {
        std::shared_ptr<Element> element(new Element());
        element->bindToBase();
        return element;
    }

    // The element base; raises object not set (91) when none is held.
    Nelvar::ITestElementBase& elementBase() const;
    // The base's configuration as the element's own class; none when it is another.
    template <typename Configuration>
    std::shared_ptr<Configuration> configurationAs() const
    {
        return std::dynamic_pointer_cast<Configuration>(elementBase().Configuration());
    }
    std::shared_ptr<CZeltorLimitData> limitData() const;
    TestGuideSession& session() { return m_session; }

    // A new element of this element's class, as its create() makes it.
    virtual std::shared_ptr<ZeltorTestElement> newElement() const = 0;
    // Binds the parts of the element base (configuration, limits) to this element: once it is
    // made, and when a copy has taken a clone of another element's base.
    virtual void bindToBase() = 0;
    // What Clone answers, while the failure of a copy is handled.
    virtual std::shared_ptr<Nelvar::ITestElement> cloneFailed() const = 0;
    // The element base has taken its identity.
    virtual void identified() {}
    // Whether the measurement list has a row for the parameter.
    virtual bool listsParameter(const CParameterDef& definition) const = 0;
    // The result record of the run: a new one when `fNew` or when the base holds none, otherwise
    // the base's. Reports no error.
    virtual void PrepareResult(bool fNew) = 0;
    // Stops a running measurement; reports no error.
    virtual void StopTestRun() = 0;

    // The window's events that an element does not handle do nothing.
    void ResetCalculations() override {}
    void TimerTick() override {}

    // The operator's navigation: abort stops a run first and drops the result, skip drops it,
    // not applicable keeps it with status 3; each tells the run context and closes the window.
    void AbortTest() final;
    void NA() final;
    void NextTest() final;
    void Previous() final;
    void Skip() final;

private:
    // The copy's element base becomes a clone of the source's, bound to the copy.
    void CopyFrom(const ZeltorTestElement& source);

    std::shared_ptr<Nelvar::ITestElementBase> m_base;
    TestGuideSession m_session;
};

} // namespace ZeltorTests
