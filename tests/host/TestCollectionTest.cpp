#include "CaughtError.h"

#include "testmodel/TestCollection.h"
#include "testmodel/TestElementBase.h"

#include "TestElement.h"

#include <gtest/gtest.h>

namespace {

// A test element of a test identifier, on the host's element base.
class IdentifiedElement final : public Nelvar::ITestElement {
public:
    explicit IdentifiedElement(int32_t testID) { m_base.Initialize(QStringLiteral("Zeltor"), testID, testID); }

    int32_t TestID() const override { return m_base.TestID(); }
    QString PlugInID() const override { return m_base.PlugInID(); }
    int32_t ID() const override { return m_base.ID(); }
    void setID(int32_t id) override { m_base.setID(id); }
    std::shared_ptr<com::Object> Parent() const override { return nullptr; }
    void setParent(const std::shared_ptr<com::Object>&) override {}
    std::shared_ptr<Nelvar::ITestInfo> Info() const override { return m_base.Info(); }
    std::shared_ptr<Nelvar::ITestFilter> Filter() const override { return m_base.Filter(); }
    std::shared_ptr<Nelvar::IResultData> Result() const override { return nullptr; }
    std::shared_ptr<Nelvar::ILimitData> Limits() const override { return nullptr; }
    std::shared_ptr<Nelvar::IConfigData> Configuration() const override { return nullptr; }
    void Initialize(const QString&, int32_t, int32_t) override {}
    std::shared_ptr<Nelvar::ITestElement> Clone() override { return nullptr; }
    void Perform(const std::shared_ptr<Nelvar::ITestSequence>&) override {}
    void Load(const std::shared_ptr<Nelvar::IXmlElement>&, const std::shared_ptr<com::Object>&) override {}
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>&, int32_t) override
    {
        return nullptr;
    }
    void PrintReport(const std::shared_ptr<Nelvar::IReport>&, const std::shared_ptr<Nelvar::ITestSequence>&) override {}
    void QuerySetParent(const std::shared_ptr<com::Object>&, bool&) override {}
    void Terminate() override {}
    void UpdateReferences() override {}
    com::Value GetMeasurementList() override { return {}; }

private:
    host::TestElementBase m_base;
};

TEST(TestCollectionTest, KeepsElementsInOrderAndFindsTheFirstOfATestIdentifier)
{
    host::TestCollection tests;
    const auto first = std::make_shared<IdentifiedElement>(200);
    const auto second = std::make_shared<IdentifiedElement>(100);
    const auto third = std::make_shared<IdentifiedElement>(200);
    for (const auto& element : {first, second, third})
        tests.Add(element, nullptr, Nelvar::ITests::eapLast);

    EXPECT_EQ(tests.Count(), 3);
    EXPECT_EQ(tests.Item(1), first);
    EXPECT_EQ(tests.Item(3), third);
    EXPECT_EQ(caughtError([&] { tests.Item(4); }).number(), com::errSubscript);
    EXPECT_EQ(tests.ItemByTestID(200), first);
    EXPECT_EQ(tests.ItemByTestID(100), second);
    EXPECT_EQ(tests.ItemByTestID(300), nullptr);

    std::weak_ptr<Nelvar::ITestElement> heldByTheCollectionOnly;
    {
        const auto element = std::make_shared<IdentifiedElement>(500);
        heldByTheCollectionOnly = element;
        tests.Add(element, nullptr, Nelvar::ITests::eapLast);
    }
    tests.Clear();
    EXPECT_EQ(tests.Count(), 0);
    EXPECT_TRUE(heldByTheCollectionOnly.expired());
}

TEST(TestCollectionTest, AddsOnlyAnElementAtTheEnd)
{
    host::TestCollection tests;
    const auto element = std::make_shared<IdentifiedElement>(100);
    EXPECT_EQ(caughtError([&] { tests.Add(nullptr, nullptr, Nelvar::ITests::eapLast); }).number(), com::errObjectNotSet);
    EXPECT_EQ(caughtError([&] { tests.Add(element, element, Nelvar::ITests::eapLast); }).number(), com::errInvalidCall);
    EXPECT_EQ(caughtError([&] { tests.Add(element, nullptr, 0); }).number(), com::errInvalidCall);
    EXPECT_EQ(tests.Count(), 0);
}

} // namespace
