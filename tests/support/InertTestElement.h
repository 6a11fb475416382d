#pragma once

#include "TestElement.h"

#include "com/Error.h"

#include <memory>
#include <utility>

// A test element that only stands for itself, and for the configuration it may own: what the
// host's objects keep or report without calling it, and what a configuration's or limit data's
// owner must offer them. Every member but Configuration is an invalid call (5).
class InertTestElement final : public Nelvar::ITestElement {
public:
    explicit InertTestElement(std::shared_ptr<Nelvar::IConfigData> configuration = nullptr)
        : m_configuration(std::move(configuration))
    {
    }

    std::shared_ptr<Nelvar::IConfigData> Configuration() const override { return m_configuration; }

    QString PlugInID() const override { throw com::Error::invalidCall(); }
    int32_t TestID() const override { throw com::Error::invalidCall(); }
    int32_t ID() const override { throw com::Error::invalidCall(); }
    void setID(int32_t) override { throw com::Error::invalidCall(); }
    std::shared_ptr<com::Object> Parent() const override { throw com::Error::invalidCall(); }
    void setParent(const std::shared_ptr<com::Object>&) override { throw com::Error::invalidCall(); }
    std::shared_ptr<Nelvar::ITestInfo> Info() const override { throw com::Error::invalidCall(); }
    std::shared_ptr<Nelvar::ITestFilter> Filter() const override { throw com::Error::invalidCall(); }
    std::shared_ptr<Nelvar::IResultData> Result() const override { throw com::Error::invalidCall(); }
    std::shared_ptr<Nelvar::ILimitData> Limits() const override { throw com::Error::invalidCall(); }
    void Initialize(const QString&, int32_t, int32_t) override { throw com::Error::invalidCall(); }
    std::shared_ptr<Nelvar::ITestElement> Clone() override { throw com::Error::invalidCall(); }
    void Perform(const std::shared_ptr<Nelvar::ITestSequence>&) override { throw com::Error::invalidCall(); }
    void Load(const std::shared_ptr<Nelvar::IXmlElement>&, const std::shared_ptr<com::Object>&) override
    {
        throw com::Error::invalidCall();
    }
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>&, int32_t) override
    {
        throw com::Error::invalidCall();
    }
    void PrintReport(const std::shared_ptr<Nelvar::IReport>&, const std::shared_ptr<Nelvar::ITestSequence>&) override
    {
        throw com::Error::invalidCall();
    }
    void QuerySetParent(const std::shared_ptr<com::Object>&, bool&) override { throw com::Error::invalidCall(); }
    void Terminate() override { throw com::Error::invalidCall(); }
    void UpdateReferences() override { throw com::Error::invalidCall(); }
    com::Value GetMeasurementList() override { throw com::Error::invalidCall(); }

private:
    std::shared_ptr<Nelvar::IConfigData> m_configuration;
};
