#include "ZeltorRunFixture.h"

#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "elements/CZeltorLimitData.h"

#include "CaughtError.h"
#include "DocumentWithoutElements.h"

#include "HostServices.h"
#include "Xml.h"

#include "com/ClassRegistry.h"

using namespace ZeltorTests;
using Events = ZeltorTests::ITestGuideEvents;

class TestZeltorTest : public ZeltorRunFixture {};

// The element takes its identity only from Initialize, which also fixes the configuration's kind.
TEST_F(TestZeltorTest, IdentityComesFromInitialize)
{
    element = CTestZeltor::create();
    EXPECT_EQ(element->TestID(), 0);
    EXPECT_EQ(element->PlugInID(), QString());
    EXPECT_EQ(element->Result(), nullptr);
    ASSERT_NE(configuration(), nullptr);
    EXPECT_EQ(configuration()->TestKind(), 0);
    const auto limits = std::dynamic_pointer_cast<CZeltorLimitData>(element->Limits());
    ASSERT_NE(limits, nullptr);
    EXPECT_EQ(limits->Owner(), element);

    element->Initialize(QStringLiteral("Zeltor"), 300, 7);
    EXPECT_EQ(element->PlugInID(), QStringLiteral("Zeltor"));
    EXPECT_EQ(element->TestID(), 300);
    EXPECT_EQ(element->ID(), 7);
    EXPECT_EQ(configuration()->TestKind(), 300);
    bool answer = false;
    element->QuerySetParent(nullptr, answer);
    EXPECT_TRUE(answer);

    // The plug-in creates it by its class name, once the library has registered itself.
    com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
    const auto created = com::ClassRegistry::instance().createAs<Nelvar::ITestElement>(QStringLiteral("zeltortests.ctestzeltor"));
    ASSERT_NE(std::dynamic_pointer_cast<CTestZeltor>(created), nullptr);
}

// One row per parameter of the list, as many rows as are selected.
TEST_F(TestZeltorTest, MeasurementListHasTheReadingsOfTheKind)
{
    createElement(200);
    com::Value list = element->GetMeasurementList();
    ASSERT_EQ(list.array().items.size(), 4u);
    EXPECT_EQ(list.at2D(0, 0).toString(), QStringLiteral("ACPR"));
    EXPECT_EQ(list.at2D(0, 1).toString(), QStringLiteral("Actual pressure"));
    EXPECT_EQ(list.at2D(1, 0).toString(), QStringLiteral("LERA"));
    EXPECT_EQ(list.at2D(1, 1).toString(), QStringLiteral("Leak rate"));

    configuration()->Parameters()->Item(QStringLiteral("ACPR"))->setSelected(false);
    list = element->GetMeasurementList();
    ASSERT_EQ(list.array().items.size(), 2u);
    EXPECT_EQ(list.at2D(0, 0).toString(), QStringLiteral("ACPR")); // no filter; LERA has no row left

    createElement(500);
    list = element->GetMeasurementList();
    ASSERT_EQ(list.array().items.size(), 2u);
    EXPECT_EQ(list.at2D(0, 0).toString(), QStringLiteral("HIPR"));
}

TEST_F(TestZeltorTest, CloneCopiesTheConfigurationAndBindsTheLimitsToTheClone)
{
    createElement(300);
    configuration()->setNoiseLevel(250);
    configuration()->setDuration(3);
    const auto clone = std::dynamic_pointer_cast<CTestZeltor>(element->Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->TestID(), 300);
    const auto cloned = std::dynamic_pointer_cast<CConfigZeltor>(clone->Configuration());
    ASSERT_NE(cloned, nullptr);
    EXPECT_NE(cloned, configuration());
    EXPECT_EQ(cloned->TestKind(), 300);
    EXPECT_EQ(cloned->NoiseLevel(), 250);
    EXPECT_EQ(cloned->Duration(), 3);
    EXPECT_EQ(std::dynamic_pointer_cast<CZeltorLimitData>(clone->Limits())->Owner(), clone);
}

// The saved element loads back into a new element; a saved "ResultItem" into a fresh result. A
// failed save is passed on.
TEST_F(TestZeltorTest, SaveAndLoad)
{
    useSimulator();
    createElement(400);
    configuration()->setDuration(9);
    raiseAt(10, &Events::StartTest);
    raiseAt(3000, &Events::StopTest);
    raiseAt(3100, &Events::NextTest);
    perform();
    const auto document = Nelvar::xmlService().CreateDocument();
    document->setDocumentElement(element->Save(document, 0));
    const QString saved = document->Xml();
    EXPECT_TRUE(saved.contains(QStringLiteral("<ResultItem"))) << saved.toStdString();

    const auto ran = element;
    createElement(400);
    element->Load(document->DocumentElement(), nullptr);
    EXPECT_EQ(configuration()->Duration(), 9);
    EXPECT_EQ(element->Result(), nullptr) << "the base leaves a saved result to the element";

    const auto resultDocument = Nelvar::xmlService().CreateDocument();
    resultDocument->setDocumentElement(ran->Result()->Save(resultDocument));
    element->Load(resultDocument->DocumentElement(), nullptr);
    const auto loaded = element->Result();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Measurement(QStringLiteral("ACPR"))->Value().toString(),
              ran->Result()->Measurement(QStringLiteral("ACPR"))->Value().toString());
    element->Load(resultDocument->DocumentElement(), nullptr);
    EXPECT_NE(element->Result(), loaded);

    EXPECT_EQ(caughtError([&] { element->Save(std::make_shared<DocumentWithoutElements>(), 0); }).number(),
              com::errObjectNotSet);
}

TEST_F(TestZeltorTest, ARefusedRunDoesNothing)
{
    createElement(200);
    sequence->setPerformAllowed(false);
    perform();
    EXPECT_EQ(windows.current(), nullptr);
    EXPECT_TRUE(windows.record().calls.isEmpty());
    EXPECT_EQ(element->Result(), nullptr);
}
