#include "elements/CConfigVentilator.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CSettings.h"
#include "data/DataErrors.h"
#include "elements/TestErrors.h"

#include "CaughtError.h"
#include "CompactXml.h"
#include "InertTestElement.h"
#include "DocumentWithoutElements.h"
#include "HostFixture.h"

#include "EUnit.h"
#include "HostServices.h"
#include "RunContext.h"
#include "Xml.h"

using namespace ZeltorTests;

class ConfigVentilatorTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        document = Nelvar::xmlService().CreateDocument();
    }

    static std::shared_ptr<CConfigVentilator> defaultConfiguration()
    {
        auto configuration = std::make_shared<CConfigVentilator>();
        configuration->LoadDefaultSettings();
        return configuration;
    }

    static QStringList keysOf(const CParameterList& parameters, bool selectedOnly)
    {
        QStringList keys;
        for (const auto& definition : parameters)
            if (!selectedOnly || definition->Selected())
                keys << definition->Key();
        return keys;
    }

    QString savedXml(CConfigVentilator& configuration)
    {
        document->setDocumentElement(configuration.Save(document));
        return compactXml(document->Xml());
    }

    std::shared_ptr<Nelvar::IXmlElement> parsed(const QString& xml)
    {
        document->LoadXml(xml);
        return document->DocumentElement();
    }

    const QStringList ventilatorKeys{"FLOW", "PRES", "VOLU", "BRRA", "TIVO", "INPF", "INPP", "PEPR", "MEIP", "MIVO",
                                     "IERA", "INHO", "INPE", "EXPE", "EXPF", "TEMP", "OXLE", "MEEP", "ATPR"};
    std::shared_ptr<Nelvar::IXmlDocument> document;
};

TEST_F(ConfigVentilatorTest, DefaultsWithoutRegistryValues)
{
    const auto configuration = defaultConfiguration();
    ASSERT_NE(configuration->Parameters(), nullptr);
    EXPECT_EQ(keysOf(*configuration->Parameters(), false), ventilatorKeys);
    EXPECT_EQ(keysOf(*configuration->Parameters(), true),
              (QStringList{"FLOW", "PRES", "VOLU", "BRRA", "TIVO", "INPF", "INPP", "PEPR", "MIVO", "IERA", "INHO",
                           "OXLE"}));
    EXPECT_EQ(configuration->Duration(), 60);
    ASSERT_NE(configuration->Settings(), nullptr);
    EXPECT_EQ(configuration->Settings()->DetectLevel(), 9000);
    EXPECT_TRUE(configuration->Settings()->CalculateMassFlow());
    ASSERT_NE(configuration->TrendSettings(), nullptr);
    EXPECT_FALSE(configuration->TrendSettings()->Active());
    EXPECT_EQ(configuration->TrendSettings()->Interval(), 15);
    EXPECT_NE(configuration->TestGuideConfig(), nullptr);
    EXPECT_TRUE(configuration->HasDialog());

    // Loading the defaults again puts new objects in place of the edited ones.
    const auto editedSettings = configuration->Settings();
    editedSettings->setDetectLevel(1);
    configuration->setDuration(5);
    configuration->Parameters()->SetPredefinedView(epvRate);
    configuration->LoadDefaultSettings();
    EXPECT_NE(configuration->Settings(), editedSettings);
    EXPECT_EQ(configuration->Settings()->DetectLevel(), 9000);
    EXPECT_EQ(configuration->Duration(), 60);
    EXPECT_EQ(configuration->Parameters()->Count(true), 12);
}

TEST_F(ConfigVentilatorTest, DefaultsTakeTheDurationAndTheMeasurementSettingsFromTheRegistry)
{
    setSetting(QStringLiteral("Duration"), 90);
    setSetting(QStringLiteral("ReferenceUnit"), 2);
    setSetting(QStringLiteral("CalculateMassFlow"), QStringLiteral("False"));
    setSetting(QStringLiteral("DetectLevel"), 500);
    setSetting(QStringLiteral("BreathsPerCalculation"), 16);
    setSetting(QStringLiteral("SuppressPressurePeakPeriod"), 10);
    const auto configuration = defaultConfiguration();
    EXPECT_EQ(configuration->Duration(), 90);
    const CSettings& settings = *configuration->Settings();
    EXPECT_EQ(settings.ReferenceUnit(), CSettings::eruSTPD);
    EXPECT_FALSE(settings.CalculateMassFlow());
    EXPECT_EQ(settings.DetectLevel(), 500);
    EXPECT_EQ(settings.BreathsPerCalculation(), 16);
    EXPECT_EQ(settings.SuppressPressurePeakPeriod(), 10);

    setSetting(QStringLiteral("Duration"), QStringLiteral("an hour"));
    EXPECT_EQ(defaultConfiguration()->Duration(), 60);
}

TEST_F(ConfigVentilatorTest, SaveWritesTheDurationFirstThenTheParts)
{
    const auto configuration = defaultConfiguration();
    const auto element = configuration->Save(document);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->TagName(), QStringLiteral("PlugInData"));
    EXPECT_EQ(element->GetAttribute(QStringLiteral("PlugIn")), QStringLiteral("Zeltor"));
    QStringList names;
    const auto children = element->ChildElements();
    for (int32_t i = 0; i < children->Count(); ++i)
        names << children->Item(i)->TagName();
    EXPECT_EQ(names, (QStringList{"Duration", "ParameterList", "TestGuideSettings", "TrendSettings", "Settings"}));
    EXPECT_EQ(children->Item(0)->Text(), QStringLiteral("60"));
}

TEST_F(ConfigVentilatorTest, SavedConfigurationLoadsBackAndSavesTheSameBytes)
{
    const auto configuration = defaultConfiguration();
    configuration->setDuration(45);
    configuration->Parameters()->SetPredefinedView(epvPressure);
    configuration->Parameters()->Item(QStringLiteral("INPP"))->setDisplayUnit(ZeltorConverter::eunPressure_mBar);
    configuration->TrendSettings()->setActive(true);
    configuration->TrendSettings()->setInterval(30);
    configuration->Settings()->setDetectLevel(700);
    configuration->Settings()->setCalculateMassFlow(false);
    const QString first = savedXml(*configuration);

    const auto reloaded = defaultConfiguration();
    reloaded->Load(parsed(first), nullptr);
    EXPECT_EQ(reloaded->Duration(), 45);
    EXPECT_EQ(keysOf(*reloaded->Parameters(), true), (QStringList{"FLOW", "PRES", "VOLU", "INPP", "PEPR"}));
    EXPECT_EQ(reloaded->Parameters()->Item(QStringLiteral("INPP"))->DisplayUnit(), ZeltorConverter::eunPressure_mBar);
    EXPECT_TRUE(reloaded->TrendSettings()->Active());
    EXPECT_EQ(reloaded->Settings()->DetectLevel(), 700);
    EXPECT_FALSE(reloaded->Settings()->CalculateMassFlow());
    EXPECT_EQ(savedXml(*reloaded), first);

    // A record without children changes nothing.
    reloaded->Load(parsed(QStringLiteral("<PlugInData PlugIn=\"Zeltor\"/>")), nullptr);
    EXPECT_EQ(savedXml(*reloaded), first);
}

TEST_F(ConfigVentilatorTest, LoadRefusesRecordsOfOtherElementsOrPlugIns)
{
    const char* records[] = {
        "<PlugInData PlugIn=\"Other\"><Duration>5</Duration></PlugInData>",
        "<PlugInData><Duration>5</Duration></PlugInData>",
        "<ParameterList PlugIn=\"Zeltor\"><Duration>5</Duration></ParameterList>",
    };
    for (const char* record : records) {
        const auto configuration = defaultConfiguration();
        const com::Error error = caughtError([&] { configuration->Load(parsed(QString::fromLatin1(record)), nullptr); });
        EXPECT_EQ(error.number(), eeConfigWrongElement) << record;
        EXPECT_EQ(error.source(), QStringLiteral("CConfigVentilator")) << record;
        EXPECT_EQ(configuration->Duration(), 60) << record;
    }
}

TEST_F(ConfigVentilatorTest, AFailingChildEndsTheLoadWithItsOwnErrorAndKeepsWhatWasRead)
{
    const auto configuration = defaultConfiguration();
    const com::Error settingsError = caughtError([&] {
        configuration->Load(parsed(QStringLiteral("<PlugInData PlugIn=\"Zeltor\"><Duration>5</Duration>"
                                                  "<TrendSettings><Active/></TrendSettings>"
                                                  "<Settings><DetectLevel>1E10</DetectLevel></Settings></PlugInData>")),
                            nullptr);
    });
    EXPECT_EQ(settingsError.number(), com::errOverflow);
    EXPECT_EQ(configuration->Duration(), 5);
    EXPECT_TRUE(configuration->TrendSettings()->Active());

    const com::Error listError = caughtError([&] {
        configuration->Load(parsed(QStringLiteral("<PlugInData PlugIn=\"Zeltor\"><Duration>7</Duration>"
                                                  "<ParameterList><Param Key=\"BRRA\"/></ParameterList></PlugInData>")),
                            nullptr);
    });
    EXPECT_EQ(listError.number(), eeParameterDefWrongElement);
    EXPECT_EQ(listError.source(), QStringLiteral("CParameterList"));
    EXPECT_EQ(configuration->Duration(), 5); // read after the parameter list
}

TEST_F(ConfigVentilatorTest, ClonesAreIndependentAndHaveNoOwner)
{
    const auto source = defaultConfiguration();
    source->setDuration(20);
    source->Settings()->setDetectLevel(300);
    source->TrendSettings()->setInterval(10);
    const auto owner = std::make_shared<InertTestElement>(source);
    source->setOwnerTest(owner);

    const auto clone = std::dynamic_pointer_cast<CConfigVentilator>(source->Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->OwnerTest(), nullptr);
    EXPECT_EQ(clone->Duration(), 20);
    EXPECT_EQ(clone->Settings()->DetectLevel(), 300);
    EXPECT_EQ(clone->TrendSettings()->Interval(), 10);
    EXPECT_EQ(keysOf(*clone->Parameters(), true), keysOf(*source->Parameters(), true));
    ASSERT_NE(clone->TestGuideConfig(), nullptr);
    EXPECT_NE(clone->TestGuideConfig(), source->TestGuideConfig());

    clone->Settings()->setDetectLevel(1);
    clone->TrendSettings()->setActive(true);
    clone->Parameters()->Item(QStringLiteral("BRRA"))->setSelected(false);
    EXPECT_EQ(source->Settings()->DetectLevel(), 300);
    EXPECT_FALSE(source->TrendSettings()->Active());
    EXPECT_TRUE(source->Parameters()->Item(QStringLiteral("BRRA"))->Selected());
}

TEST_F(ConfigVentilatorTest, AnUnfilledConfigurationHoldsNothingButItsDuration)
{
    CConfigVentilator unfilled;
    const auto clone = std::dynamic_pointer_cast<CConfigVentilator>(unfilled.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->Parameters(), nullptr);
    EXPECT_EQ(clone->Settings(), nullptr);
    EXPECT_EQ(clone->TrendSettings(), nullptr);
    EXPECT_EQ(clone->TestGuideConfig(), nullptr);
    EXPECT_EQ(clone->Duration(), 0);

    // It saves what it has; a part it lacks cannot be loaded.
    EXPECT_EQ(savedXml(*clone), QStringLiteral("<PlugInData PlugIn=\"Zeltor\"><Duration>0</Duration></PlugInData>"));
    const com::Error error = caughtError([&] {
        clone->Load(parsed(QStringLiteral("<PlugInData PlugIn=\"Zeltor\"><Duration>3</Duration><Settings/></PlugInData>")),
                    nullptr);
    });
    EXPECT_EQ(error.number(), com::errObjectNotSet);
    EXPECT_EQ(clone->Duration(), 3);
}

TEST_F(ConfigVentilatorTest, SaveFailsWhenTheDocumentMakesNoElement)
{
    const auto failingDocument = std::make_shared<DocumentWithoutElements>();
    EXPECT_EQ(caughtError([&] { defaultConfiguration()->Save(failingDocument); }).number(), com::errObjectNotSet);
}

TEST_F(ConfigVentilatorTest, TheOwnerIsObservedNotKept)
{
    const auto configuration = defaultConfiguration();
    auto owner = std::make_shared<InertTestElement>(configuration);
    configuration->setOwnerTest(owner);
    configuration->setOwnerTest(nullptr);
    EXPECT_EQ(configuration->OwnerTest(), owner);
    owner.reset();
    EXPECT_EQ(configuration->OwnerTest(), nullptr);
}
