#include "VentilatorRunFixture.h"

#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "elements/CTestZeltor.h"
#include "data/CZeltorCalculationSet.h"
#include "elements/CZeltorLimitData.h"

#include "instruments/InstrumentInfo.h"
#include "instruments/InstrumentList.h"
#include "standards/Limit.h"
#include "standards/Standard.h"
#include "standards/StandardsCollection.h"
#include "testmodel/TestFilter.h"

#include "CaughtError.h"

#include "HostServices.h"
#include "Instruments.h"
#include "Registry.h"
#include "Standards.h"
#include "Xml.h"

#include "com/ClassRegistry.h"

#include <QFile>

#include <initializer_list>

using namespace ZeltorTests;
using Events = ZeltorTests::ITestGuideEvents;

class TestVentilatorTest : public VentilatorRunFixture {};

TEST_F(TestVentilatorTest, ConstructionGivesIdentityConfigurationAndLimits)
{
    EXPECT_EQ(element->PlugInID(), QStringLiteral("Zeltor"));
    EXPECT_EQ(element->TestID(), 100);
    EXPECT_EQ(element->ID(), 100);
    ASSERT_NE(configuration(), nullptr);
    EXPECT_EQ(configuration()->OwnerTest(), element);
    const auto limits = std::dynamic_pointer_cast<CZeltorLimitData>(element->Limits());
    ASSERT_NE(limits, nullptr);
    EXPECT_EQ(limits->Owner(), element);
    EXPECT_EQ(element->Result(), nullptr);
    EXPECT_EQ(element->TimerInterval(), 5); // no settings key at all

    setSetting(QStringLiteral("TimerInterval"), 12);
    EXPECT_EQ(CTestVentilator::create()->TimerInterval(), 12);
    setSetting(QStringLiteral("TimerInterval"), QStringLiteral("fast"));
    EXPECT_EQ(CTestVentilator::create()->TimerInterval(), 5);

    // The plug-in creates it by its class name, once the library has registered itself.
    com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
    const auto created = com::ClassRegistry::instance().createAs<Nelvar::ITestElement>(QStringLiteral("zeltortests.ctestventilator"));
    EXPECT_EQ(created->TestID(), 100);
}

// Up to the opening of the settings key, a failure makes the construction fail; the single-reading
// test reads no registry value when it is made.
TEST_F(TestVentilatorTest, ASettingsKeyThatCannotBeOpenedFailsTheConstruction)
{
    QFile registry(qEnvironmentVariable("NELVAR_REGISTRY"));
    ASSERT_TRUE(registry.open(QIODevice::WriteOnly));
    registry.write("not a registry");
    registry.close();
    EXPECT_EQ(caughtError([] { CTestVentilator::create(); }).number(), Nelvar::kRegistryErrFile);
    EXPECT_NE(CTestZeltor::create(), nullptr);
}

// A configuration that holds no parameter list gives a list without rows, and no error.
TEST_F(TestVentilatorTest, MeasurementListOfAnUnfilledConfigurationIsEmpty)
{
    for (const std::shared_ptr<Nelvar::ITestElement>& unfilled :
         std::initializer_list<std::shared_ptr<Nelvar::ITestElement>>{CTestVentilator::create(), CTestZeltor::create()}) {
        com::Value list;
        EXPECT_NO_THROW(list = unfilled->GetMeasurementList());
        EXPECT_TRUE(list.isArray());
        EXPECT_TRUE(list.array().items.empty());
    }
}

TEST_F(TestVentilatorTest, MeasurementListHasARowPerSelectedParameterWithTheBreathParametersFirst)
{
    configuration()->Parameters()->SetPredefinedView(epvAll);
    const com::Value list = element->GetMeasurementList();
    ASSERT_EQ(list.array().items.size(), 38u); // 19 rows of two columns
    EXPECT_EQ(list.at2D(0, 0).toString(), QStringLiteral("BRRA"));
    EXPECT_EQ(list.at2D(0, 1).toString(), QStringLiteral("Breath rate"));
    EXPECT_EQ(list.at2D(15, 0).toString(), QStringLiteral("ATPR"));
    for (int32_t row = 16; row < 19; ++row)
        EXPECT_TRUE(list.at2D(row, 0).toString().isEmpty()) << row;

    bool answer = false;
    element->QuerySetParent(nullptr, answer);
    EXPECT_TRUE(answer);
}

TEST_F(TestVentilatorTest, CloneCopiesTheConfigurationAndBindsItToTheClone)
{
    configuration()->setDuration(7);
    configuration()->Parameters()->Item(QStringLiteral("BRRA"))->setSelected(false);
    const auto clone = std::dynamic_pointer_cast<CTestVentilator>(element->Clone());
    ASSERT_NE(clone, nullptr);
    const auto cloned = std::dynamic_pointer_cast<CConfigVentilator>(clone->Configuration());
    ASSERT_NE(cloned, nullptr);
    EXPECT_NE(cloned, configuration());
    EXPECT_EQ(cloned->Duration(), 7);
    EXPECT_FALSE(cloned->Parameters()->Item(QStringLiteral("BRRA"))->Selected());
    EXPECT_EQ(cloned->OwnerTest(), clone);
    EXPECT_EQ(std::dynamic_pointer_cast<CZeltorLimitData>(clone->Limits())->Owner(), clone);
}

TEST_F(TestVentilatorTest, ARefusedRunDoesNothing)
{
    sequence->setPerformAllowed(false);
    perform();
    EXPECT_EQ(windows.current(), nullptr);
    EXPECT_TRUE(windows.record().calls.isEmpty());
    EXPECT_EQ(element->Result(), nullptr);
}

// The instrument that ran the test gets its identifier from the run's instrument list.
TEST_F(TestVentilatorTest, InstrumentIdentifierComesFromTheHostsList)
{
    const auto instrumentOf = [](const QString& type, int32_t id, const QString& serial) {
        auto info = std::make_shared<host::InstrumentInfo>();
        info->SetType(type, id);
        info->SetIdentity(QStringLiteral("Zeltor VT"), serial, QStringLiteral("3.01"));
        return info;
    };
    const struct {
        const char* name;
        QString serial;
        int32_t expected;
        int32_t listed;
    } cases[] = {
        {"a new instrument gets the next identifier of its type", QStringLiteral("ZT-100234"), 5, 4},
        {"a known one keeps its identifier", QStringLiteral("ZT-7"), 4, 3},
    };
    useSimulator();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto instruments = std::make_shared<host::Instruments>();
        instruments->Add(instrumentOf(QStringLiteral("Zeltor"), 1, QStringLiteral("ZT-1")));
        instruments->Add(instrumentOf(QStringLiteral("Other"), 9, c.serial));
        instruments->Add(instrumentOf(QStringLiteral("Zeltor"), 4, QStringLiteral("ZT-7")));
        sequence = std::make_shared<host::TestSequence>();
        sequence->setInstruments(instruments);
        if (c.serial == QStringLiteral("ZT-7")) {
            simulator::SimulatorSettings settings;
            settings.identity.serialNumber = c.serial;
            serial::unregisterVirtualPort(QStringLiteral("sim"));
            useSimulator(settings);
        }
        raiseAt(loop->now() + 10, &Events::StartTest);
        raiseAt(loop->now() + 3000, &Events::StopTest);
        raiseAt(loop->now() + 3500, &Events::NextTest);
        perform();
        EXPECT_EQ(element->Result()->MTIID(), c.expected);
        EXPECT_EQ(instruments->Count(), c.listed);
    }
}

// A run judged against the limit context: a failed parameter fails the result, and the service
// record lists the values.
TEST_F(TestVentilatorTest, LimitsJudgeTheRunAndTheServiceRecordListsTheValues)
{
    useSimulator();
    const auto limits = std::dynamic_pointer_cast<CZeltorLimitData>(element->Limits());
    const auto standard = limits->CreateStandard(QStringLiteral("Standard"), QStringLiteral("A"));
    for (const auto& limit : *standard->Limits()) {
        if (limit->Name() != QLatin1String("BRRA"))
            continue;
        const auto breathRate = std::dynamic_pointer_cast<host::Limit>(limit);
        breathRate->setValue(0, 12.0f); // an upper limit below the lung's 15 breaths a minute
        breathRate->setEnabled(0, true);
    }
    sequence->setLimitContext(limits->Standards()->Clone());
    std::dynamic_pointer_cast<host::TestFilter>(element->Filter())->setFlags(1);
    raiseAt(10, &Events::StartTest);
    raiseAt(20'000, &Events::StopTest);
    raiseAt(21'000, &Events::NextTest);
    perform();

    EXPECT_EQ(result()->Status(), CResultVentilator::ersFail);
    EXPECT_EQ(result()->Measurement(QStringLiteral("BRRA"))->Status(), CMeasurement::emsFail);
    EXPECT_EQ(result()->Measurement(QStringLiteral("TIVO"))->Status(), CMeasurement::emsPass);
    const auto record = result()->ServiceRecord();
    ASSERT_NE(record, nullptr);
    const auto document = Nelvar::xmlService().CreateDocument();
    const auto saved = record->Save(document);
    EXPECT_EQ(saved->GetAttribute(QStringLiteral("Status")), QStringLiteral("F"));
    EXPECT_TRUE(saved->GetAttribute(QStringLiteral("Values")).startsWith(QStringLiteral("/15.00/")))
        << saved->GetAttribute(QStringLiteral("Values")).toStdString();
}

TEST_F(TestVentilatorTest, LoadOfAResultItemMakesAFreshResult)
{
    useSimulator();
    raiseAt(10, &Events::StartTest);
    raiseAt(10'000, &Events::StopTest);
    raiseAt(11'000, &Events::NextTest);
    perform();
    const auto before = element->Result();
    const auto document = Nelvar::xmlService().CreateDocument();
    document->setDocumentElement(result()->Save(document));
    element->Load(document->DocumentElement(), nullptr);
    ASSERT_NE(element->Result(), before);
    EXPECT_EQ(element->Result()->MeasurementCount(), before->MeasurementCount());
    EXPECT_EQ(result()->Measurement(QStringLiteral("BRRA"))->Value().toString(),
              std::dynamic_pointer_cast<CResultVentilator>(before)->Measurement(QStringLiteral("BRRA"))->Value().toString());
}
