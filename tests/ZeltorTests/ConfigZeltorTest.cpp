#include "elements/CConfigZeltor.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "elements/TestErrors.h"

#include "CaughtError.h"
#include "CompactXml.h"
#include "DocumentWithoutElements.h"
#include "HostFixture.h"

#include "testmodel/TestGuideConfig.h"

#include "HostServices.h"
#include "RunContext.h"
#include "Xml.h"

using namespace ZeltorTests;

class ConfigZeltorTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        document = Nelvar::xmlService().CreateDocument();
    }

    static std::shared_ptr<CConfigZeltor> defaultConfiguration(int32_t testKind)
    {
        auto configuration = std::make_shared<CConfigZeltor>();
        configuration->setTestKind(testKind);
        configuration->LoadDefaultSettings();
        return configuration;
    }

    static QStringList keysOf(const CParameterList& parameters)
    {
        QStringList keys;
        for (const auto& definition : parameters)
            keys << definition->Key() + (definition->Selected() ? QString() : QStringLiteral("(off)"));
        return keys;
    }

    QString savedXml(CConfigZeltor& configuration)
    {
        document->setDocumentElement(configuration.Save(document));
        return compactXml(document->Xml());
    }

    std::shared_ptr<Nelvar::IXmlElement> parsed(const QString& xml)
    {
        document->LoadXml(xml);
        return document->DocumentElement();
    }

    std::shared_ptr<Nelvar::IXmlDocument> document;
};

// Each kind reports its own readings, all selected; a configuration never initialised (kind 0)
// reports none.
TEST_F(ConfigZeltorTest, DefaultsGiveTheReadingsOfTheTestKind)
{
    const struct {
        int32_t kind;
        QStringList keys;
    } cases[] = {
        {200, {"ACPR", "LERA"}}, {300, {"ACFL"}}, {400, {"ACPR"}}, {500, {"HIPR"}}, {0, {}}, {100, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const auto configuration = defaultConfiguration(c.kind);
        ASSERT_NE(configuration->Parameters(), nullptr);
        EXPECT_EQ(keysOf(*configuration->Parameters()), c.keys);
        EXPECT_EQ(configuration->Duration(), 60);
        EXPECT_EQ(configuration->NoiseLevel(), 500);
        EXPECT_NE(configuration->TestGuideConfig(), nullptr);
        EXPECT_TRUE(configuration->HasDialog());
    }
}

TEST_F(ConfigZeltorTest, TheTestKindIsSetOnce)
{
    CConfigZeltor configuration;
    EXPECT_EQ(configuration.TestKind(), 0);
    configuration.setTestKind(200);
    configuration.setTestKind(300);
    EXPECT_EQ(configuration.TestKind(), 200);
    EXPECT_EQ(configuration.Parameters(), nullptr); // no constructor logic
    EXPECT_EQ(configuration.TestGuideConfig(), nullptr);
}

// Registry values count only when the settings key holds any value; each missing or
// unconvertible one keeps its default.
TEST_F(ConfigZeltorTest, DefaultsTakeTheDurationAndNoiseLevelFromTheRegistry)
{
    setSetting(QStringLiteral("FlowUnit"), 101);
    EXPECT_EQ(defaultConfiguration(300)->Duration(), 60);
    EXPECT_EQ(defaultConfiguration(300)->NoiseLevel(), 500);

    setSetting(QStringLiteral("Duration"), QStringLiteral("30"));
    EXPECT_EQ(defaultConfiguration(300)->Duration(), 30);
    EXPECT_EQ(defaultConfiguration(300)->NoiseLevel(), 500);

    setSetting(QStringLiteral("Duration"), QStringLiteral("12.5"));
    setSetting(QStringLiteral("NoiseLevel"), 250);
    EXPECT_EQ(defaultConfiguration(300)->Duration(), 12);
    EXPECT_EQ(defaultConfiguration(300)->NoiseLevel(), 250);

    setSetting(QStringLiteral("Duration"), QStringLiteral("a while"));
    EXPECT_EQ(defaultConfiguration(300)->Duration(), 60);
    EXPECT_EQ(defaultConfiguration(300)->NoiseLevel(), 250);
}

// Only the flow test keeps its noise level in its record.
TEST_F(ConfigZeltorTest, SaveWritesTheNoiseLevelForTheFlowTestOnly)
{
    const auto flow = defaultConfiguration(300);
    flow->setDuration(15);
    flow->setNoiseLevel(300);
    EXPECT_EQ(savedXml(*flow), QStringLiteral("<PlugInData PlugIn=\"Zeltor\"><Duration>15</Duration>"
                                              "<ParameterList><Parameter Key=\"ACFL\" /></ParameterList>"
                                              "<NoiseLevel>300</NoiseLevel><TestGuideSettings Flags=\"0\" />"
                                              "</PlugInData>"));
    const auto leakage = defaultConfiguration(200);
    leakage->setNoiseLevel(300);
    EXPECT_EQ(savedXml(*leakage), QStringLiteral("<PlugInData PlugIn=\"Zeltor\"><Duration>60</Duration>"
                                                 "<ParameterList><Parameter Key=\"ACPR\" /><Parameter Key=\"LERA\" />"
                                                 "</ParameterList><TestGuideSettings Flags=\"0\" /></PlugInData>"));
}

TEST_F(ConfigZeltorTest, SavedConfigurationLoadsBackAndSavesTheSameBytes)
{
    const auto configuration = defaultConfiguration(300);
    configuration->setDuration(2880);
    configuration->setNoiseLevel(750);
    std::dynamic_pointer_cast<host::TestGuideConfig>(configuration->TestGuideConfig())->setFlags(3);
    const QString first = savedXml(*configuration);

    const auto reloaded = defaultConfiguration(300);
    reloaded->Load(parsed(first), nullptr);
    EXPECT_EQ(reloaded->Duration(), 2880);
    EXPECT_EQ(reloaded->NoiseLevel(), 750);
    EXPECT_EQ(reloaded->TestGuideConfig()->Flags(), 3);
    EXPECT_EQ(savedXml(*reloaded), first);

    // Children are found by name; absent ones leave their members as they are.
    reloaded->Load(parsed(QStringLiteral("<PlugInData PlugIn=\"Zeltor\"><NoiseLevel>10</NoiseLevel></PlugInData>")),
                   nullptr);
    EXPECT_EQ(reloaded->Duration(), 2880);
    EXPECT_EQ(reloaded->NoiseLevel(), 10);
}

TEST_F(ConfigZeltorTest, NumbersLoadRoundedHalvesToEven)
{
    const struct {
        const char* text;
        int32_t duration;
    } cases[] = {{"12.5", 12}, {"13.5", 14}, {"", 0}, {"7 minutes", 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto pressure = defaultConfiguration(400);
        pressure->Load(parsed(QStringLiteral("<PlugInData PlugIn=\"Zeltor\"><Duration>%1</Duration>"
                                             "<NoiseLevel>%1</NoiseLevel></PlugInData>")
                                  .arg(QString::fromLatin1(c.text))),
                       nullptr);
        EXPECT_EQ(pressure->Duration(), c.duration);
        EXPECT_EQ(pressure->NoiseLevel(), c.duration); // read whatever the kind
    }
}

TEST_F(ConfigZeltorTest, LoadRefusesRecordsOfOtherElementsOrPlugInsBeforeAnythingChanges)
{
    const char* records[] = {
        "<PlugInData PlugIn=\"Other\"><Duration>5</Duration></PlugInData>",
        "<PlugInData><Duration>5</Duration></PlugInData>",
        "<Settings PlugIn=\"Zeltor\"><Duration>5</Duration></Settings>",
    };
    for (const char* record : records) {
        SCOPED_TRACE(record);
        const auto configuration = defaultConfiguration(300);
        const com::Error error = caughtError([&] { configuration->Load(parsed(QString::fromLatin1(record)), nullptr); });
        EXPECT_EQ(error.number(), eeConfigWrongElement);
        EXPECT_EQ(error.source(), QStringLiteral("ZeltorTests.CConfigZeltor"));
        EXPECT_EQ(configuration->Duration(), 60);
    }
}

// A failure of a part that is not one of the system's own errors reaches the caller with this
// class's source; what was read before stays.
TEST_F(ConfigZeltorTest, AFailingChildIsPassedOnWithTheSource)
{
    const auto configuration = defaultConfiguration(200);
    const com::Error error = caughtError([&] {
        configuration->Load(parsed(QStringLiteral("<PlugInData PlugIn=\"Zeltor\"><Duration>9</Duration>"
                                                  "<TestGuideSettings Flags=\"many\"/></PlugInData>")),
                            nullptr);
    });
    EXPECT_EQ(error.number(), com::errTypeMismatch);
    EXPECT_EQ(error.source(), QStringLiteral("ZeltorTests.CConfigZeltor"));
    EXPECT_EQ(configuration->Duration(), 9);

    CConfigZeltor unfilled;
    EXPECT_EQ(caughtError([&] {
                  unfilled.Load(parsed(QStringLiteral("<PlugInData PlugIn=\"Zeltor\"><ParameterList/></PlugInData>")),
                                nullptr);
              }).number(),
              com::errObjectNotSet);
}

TEST_F(ConfigZeltorTest, ClonesAreIndependentCopies)
{
    const auto source = defaultConfiguration(300);
    source->setDuration(5);
    source->setNoiseLevel(120);
    const auto clone = std::dynamic_pointer_cast<CConfigZeltor>(source->Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->TestKind(), 300);
    EXPECT_EQ(clone->Duration(), 5);
    EXPECT_EQ(clone->NoiseLevel(), 120);
    EXPECT_EQ(savedXml(*clone), savedXml(*source));
    EXPECT_NE(clone->Parameters(), source->Parameters());
    EXPECT_NE(clone->TestGuideConfig(), source->TestGuideConfig());
    clone->Parameters()->Item(QStringLiteral("ACFL"))->setSelected(false);
    EXPECT_TRUE(source->Parameters()->Item(QStringLiteral("ACFL"))->Selected());

    const auto empty = std::dynamic_pointer_cast<CConfigZeltor>(CConfigZeltor().Clone());
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->Parameters(), nullptr);
    EXPECT_EQ(empty->TestGuideConfig(), nullptr);
}

// A failed save is passed on, never taken for an empty record.
TEST_F(ConfigZeltorTest, SaveFailsWhenTheDocumentMakesNoElement)
{
    const auto failingDocument = std::make_shared<DocumentWithoutElements>();
    EXPECT_EQ(caughtError([&] { defaultConfiguration(300)->Save(failingDocument); }).number(), com::errObjectNotSet);
}
