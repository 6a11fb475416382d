#include "elements/CSettings.h"

#include "CaughtError.h"
#include "CompactXml.h"
#include "HostFixture.h"

#include "HostServices.h"
#include "Product.h"
#include "Registry.h"
#include "Xml.h"

#include "com/ClassRegistry.h"

using namespace ZeltorTests;

class SettingsTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        document = Nelvar::xmlService().CreateDocument();
    }

    QString savedXml(const CSettings& settings)
    {
        document->setDocumentElement(settings.Save(document));
        return compactXml(document->Xml());
    }

    std::shared_ptr<Nelvar::IXmlElement> parsed(const QString& xml)
    {
        document->LoadXml(xml);
        return document->DocumentElement();
    }

    static std::shared_ptr<Nelvar::IRegistry> newRegistry()
    {
        return com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(
            QString::fromLatin1(Nelvar::kRegistryProgId));
    }

    static CSettings changedSettings()
    {
        CSettings settings;
        settings.setAtmosphericPressure(742);
        settings.setRelativeHumidity(55);
        settings.setReferenceUnit(CSettings::eruSTPD);
        settings.setDetectLevel(1200);
        settings.setBreathsPerCalculation(8);
        settings.setSuppressPressurePeakPeriod(45);
        settings.setCalculateMassFlow(false);
        return settings;
    }

    static void expectSameValues(const CSettings& actual, const CSettings& expected)
    {
        EXPECT_EQ(actual.AtmosphericPressure(), expected.AtmosphericPressure());
        EXPECT_EQ(actual.RelativeHumidity(), expected.RelativeHumidity());
        EXPECT_EQ(actual.ReferenceUnit(), expected.ReferenceUnit());
        EXPECT_EQ(actual.DetectLevel(), expected.DetectLevel());
        EXPECT_EQ(actual.BreathsPerCalculation(), expected.BreathsPerCalculation());
        EXPECT_EQ(actual.SuppressPressurePeakPeriod(), expected.SuppressPressurePeakPeriod());
        EXPECT_EQ(actual.CalculateMassFlow(), expected.CalculateMassFlow());
    }

    std::shared_ptr<Nelvar::IXmlDocument> document;
};

TEST_F(SettingsTest, NewSettingsSaveTheirDefaultsWithMassFlowLast)
{
    EXPECT_EQ(savedXml(CSettings()),
              QStringLiteral("<Settings><AtmosphericPressure>760</AtmosphericPressure>"
                             "<RelativeHumidity>0</RelativeHumidity><ReferenceUnit>0</ReferenceUnit>"
                             "<DetectLevel>9000</DetectLevel><BreathsPerCalculation>1</BreathsPerCalculation>"
                             "<SuppressPressurePeakPeriod>30</SuppressPressurePeakPeriod>"
                             "<CalculateMassFlow>True</CalculateMassFlow></Settings>"));
}

TEST_F(SettingsTest, SavedSettingsLoadBackAndSaveTheSameBytes)
{
    const CSettings changed = changedSettings();
    const QString first = savedXml(changed);
    EXPECT_FALSE(first.contains(QStringLiteral("CalculateMassFlow")));

    CSettings reloaded;
    reloaded.Load(parsed(first));
    expectSameValues(reloaded, changed);
    EXPECT_EQ(savedXml(reloaded), first);
}

TEST_F(SettingsTest, LoadKeepsAbsentNumbersAndTakesMassFlowFromThePresenceOfItsChild)
{
    CSettings settings = changedSettings();
    settings.setCalculateMassFlow(true);
    settings.Load(parsed(QStringLiteral("<AnyName/>")));
    CSettings expected = changedSettings();
    expected.setCalculateMassFlow(false);
    expectSameValues(settings, expected);

    settings.Load(parsed(QStringLiteral("<Settings><CalculateMassFlow>False</CalculateMassFlow></Settings>")));
    EXPECT_TRUE(settings.CalculateMassFlow());
}

TEST_F(SettingsTest, NumbersAreReadFromTheLeadingNumberRoundedHalvesToEven)
{
    const struct {
        const char* text;
        int32_t detectLevel;
    } cases[] = {{"1.5", 2}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"120 ml/min", 120}, {"", 0}, {"abc", 0}};
    for (const auto& c : cases) {
        CSettings settings;
        settings.Load(parsed(QStringLiteral("<Settings><DetectLevel>%1</DetectLevel></Settings>")
                                 .arg(QString::fromLatin1(c.text))));
        EXPECT_EQ(settings.DetectLevel(), c.detectLevel) << c.text;
    }

    CSettings settings;
    const com::Error overflow = caughtError([&] {
        settings.Load(parsed(QStringLiteral("<Settings><AtmosphericPressure>700</AtmosphericPressure>"
                                            "<DetectLevel>1E10</DetectLevel></Settings>")));
    });
    EXPECT_EQ(overflow.number(), com::errOverflow);
    EXPECT_EQ(settings.AtmosphericPressure(), 700); // read before the failure
    EXPECT_EQ(settings.DetectLevel(), 9000);
}

TEST_F(SettingsTest, LoadDefaultsTakesWhatTheRegistryHoldsAndKeepsTheRest)
{
    setSetting(QStringLiteral("ReferenceUnit"), 3);
    setSetting(QStringLiteral("CalculateMassFlow"), QStringLiteral("False"));
    setSetting(QStringLiteral("DetectLevel"), QStringLiteral("not a number"));
    setSetting(QStringLiteral("BreathsPerCalculation"), QStringLiteral("4"));
    setSetting(QStringLiteral("AtmosphericPressure"), 700);
    setSetting(QStringLiteral("RelativeHumidity"), 40);

    const auto registry = newRegistry();
    registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
    CSettings settings;
    settings.LoadDefaults(registry);
    EXPECT_EQ(settings.ReferenceUnit(), CSettings::eruATPS);
    EXPECT_FALSE(settings.CalculateMassFlow());
    EXPECT_EQ(settings.DetectLevel(), 9000);              // does not convert
    EXPECT_EQ(settings.BreathsPerCalculation(), 4);       // read after a failing value
    EXPECT_EQ(settings.SuppressPressurePeakPeriod(), 30); // missing
    EXPECT_EQ(settings.AtmosphericPressure(), 760);       // never read from the registry
    EXPECT_EQ(settings.RelativeHumidity(), 0);

    // No registry, or one without an open key, changes nothing.
    CSettings untouched = changedSettings();
    untouched.LoadDefaults(nullptr);
    untouched.LoadDefaults(newRegistry());
    expectSameValues(untouched, changedSettings());
}

TEST_F(SettingsTest, ClonesAndCopiesAreIndependent)
{
    CSettings source = changedSettings();
    const auto clone = source.Clone();
    expectSameValues(*clone, source);
    clone->setDetectLevel(1);
    source.setBreathsPerCalculation(16);
    EXPECT_EQ(source.DetectLevel(), 1200);
    EXPECT_EQ(clone->BreathsPerCalculation(), 8);

    CSettings copy;
    copy.CopyFrom(source);
    expectSameValues(copy, source);
    copy.setCalculateMassFlow(true);
    EXPECT_FALSE(source.CalculateMassFlow());
}
