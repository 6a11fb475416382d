#pragma once

#include "testmodel/TestInfo.h"

#include "TestElement.h"
#include "Tests.h"

#include "com/Error.h"

#include <memory>
#include <utility>
#include <vector>

// What a made-up test element class does when the plug-in creates, initialises and clones it.
struct FakeBehaviour {
    // Raised by Initialize when not 0.
    int32_t initializeError = 0;
    // Clone gives none.
    bool noClone = false;
    std::shared_ptr<Nelvar::IConfigData> configuration;
};

// A test element of a made-up class for the plug-in's catalogue: it keeps the identity and texts
// the plug-in gives it, has no limits, and counts how many of its kind are alive. Members the
// plug-in does not call are invalid calls (5).
class FakeTestElement : public Nelvar::ITestElement {
public:
    explicit FakeTestElement(FakeBehaviour behaviour) : m_behaviour(std::move(behaviour)) { ++alive; }
    FakeTestElement(const FakeTestElement& other) : m_behaviour(other.m_behaviour), m_testID(other.m_testID) { ++alive; }
    ~FakeTestElement() override { --alive; }

    static inline int alive = 0;

    int32_t TestID() const override { return m_testID; }
    int32_t ID() const override { return m_id; }
    QString PlugInID() const override { return m_plugInID; }
    std::shared_ptr<Nelvar::ITestInfo> Info() const override { return m_info; }
    const host::TestInfo& info() const { return *m_info; }
    std::shared_ptr<Nelvar::ILimitData> Limits() const override { return nullptr; }
    std::shared_ptr<Nelvar::IConfigData> Configuration() const override { return m_behaviour.configuration; }
    void Initialize(const QString& plugInID, int32_t testID, int32_t id) override
    {
        if (m_behaviour.initializeError != 0)
            throw com::Error(m_behaviour.initializeError, QStringLiteral("FakeTestElement"), {});
        m_plugInID = plugInID;
        m_testID = testID;
        m_id = id;
    }
    std::shared_ptr<Nelvar::ITestElement> Clone() override
    {
        return m_behaviour.noClone ? nullptr : std::make_shared<FakeTestElement>(*this);
    }

    void setID(int32_t) override { throw com::Error::invalidCall(); }
    std::shared_ptr<com::Object> Parent() const override { throw com::Error::invalidCall(); }
    void setParent(const std::shared_ptr<com::Object>&) override { throw com::Error::invalidCall(); }
    std::shared_ptr<Nelvar::ITestFilter> Filter() const override { throw com::Error::invalidCall(); }
    std::shared_ptr<Nelvar::IResultData> Result() const override { throw com::Error::invalidCall(); }
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
    FakeBehaviour m_behaviour;
    QString m_plugInID;
    int32_t m_testID = 0;
    int32_t m_id = 0;
    const std::shared_ptr<host::TestInfo> m_info = std::make_shared<host::TestInfo>();
};

// A made-up test element that is a group of tests.
class FakeTestGroup final : public FakeTestElement, public Nelvar::ITests {
public:
    FakeTestGroup() : FakeTestElement({}) {}

    void Add(const std::shared_ptr<Nelvar::ITestElement>& element, const std::shared_ptr<com::Object>& relative,
             int32_t position) override
    {
        if (relative || position != eapLast)
            throw com::Error::invalidCall();
        members.push_back(element);
    }

    std::vector<std::shared_ptr<Nelvar::ITestElement>> members;
};

// A configuration that offers only the host's face, not the defaults of the system's own.
class PlainConfiguration final : public Nelvar::IConfigData {
public:
    bool HasDialog() const override { return false; }
    std::shared_ptr<Nelvar::IDialog> CreateDialog() override { return nullptr; }
    std::shared_ptr<Nelvar::IConfigData> Clone() const override { return std::make_shared<PlainConfiguration>(); }
    void Load(const std::shared_ptr<Nelvar::IXmlElement>&, const std::shared_ptr<com::Object>&) override {}
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>&) override
    {
        return nullptr;
    }
    void PrintReport(const std::shared_ptr<Nelvar::IReport>&) override {}
};
