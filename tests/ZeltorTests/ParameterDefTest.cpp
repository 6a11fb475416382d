#include "data/CParameterDef.h"
#include "data/DataErrors.h"

#include "CaughtError.h"
#include "HostFixture.h"

#include "Converter.h"
#include "EUnit.h"
#include "HostServices.h"
#include "Xml.h"

using namespace ZeltorTests;
using namespace ZeltorConverter;

class ParameterDefTest : public HostFixture {
protected:
    static std::shared_ptr<CParameterDef> defined(const QString& key)
    {
        auto definition = std::make_shared<CParameterDef>();
        definition->setKey(key);
        return definition;
    }
};

TEST_F(ParameterDefTest, KeysTakeTheirRowOfTheTable)
{
    const struct {
        const char* key;
        const char* caption;
        int32_t baseUnit;
        int32_t kind;
        bool hasConverter;
        const char* unitList;
        const char* valueFormat;
    } cases[] = {
        {"TIVO", "20601::Tidal volume", eunVolume_Liter, 1, false, "l", "0.000"},
        {"BRRA", "20600::Breath rate", eunMisc_BPM, 1, false, "BPM", "0.00"},
        {"INPP", "20603::Inspiratory peak pressure", eunPressure_CmH20, 1, true, "cmH2O;kPa;mBar;mmHg;PSI", "0.00"},
        {"TEMP", "20612::Temperature", eunTemperature_Celcius, 1, true, "C;F;K", "0.00"},
        {"FLOW", "20616::Flow", eunFlow_MLpSec, 0, true, "l/min;l/sec;ml/sec", "0.00"},
        {"VOLU", "20617::Volume", eunVolume_Liter, 0, false, "l", "0.00"},
        {"ATPR", "20618::Atmospheric pressure", eunPressure_CmH20, 1, true, "cmH2O;kPa;mBar;mmHg;PSI", "0.00"},
        {"LERA", "20621::Leak rate", eunLeakRate_CmH2O_PerSec, 2,
         true, "cmH2O/sec;kPa/sec;mBar/sec;mmHg/sec;PSI/sec", "0.00"},
        {"IERA", "20607::I/E Ratio", eunMisc_Ratio, 1, false, "1:n", "0.00"},
        {"HIPR", "20623::High-pressure", eunPressure_CmH20, 2, true, "cmH2O;kPa;mBar;mmHg;PSI", "0.00"},
    };
    for (const auto& c : cases) {
        const auto def = defined(QString::fromLatin1(c.key));
        SCOPED_TRACE(c.key);
        EXPECT_EQ(def->Key(), QString::fromLatin1(c.key));
        EXPECT_TRUE(def->Selected());
        EXPECT_EQ(def->Caption(false), QString::fromLatin1(c.caption));
        EXPECT_EQ(def->BaseUnit(), c.baseUnit);
        EXPECT_EQ(def->DisplayUnit(), c.baseUnit); // no settings stored
        EXPECT_EQ(def->Kind(), c.kind);
        EXPECT_EQ(def->Converter() != nullptr, c.hasConverter);
        EXPECT_EQ(def->UnitList(), QString::fromLatin1(c.unitList));
        EXPECT_EQ(def->ValueFormat(), QString::fromLatin1(c.valueFormat));
    }
}

TEST_F(ParameterDefTest, CaptionIsTranslatedForTheProduct)
{
    // Without a translation the host gives the default text of the language key.
    EXPECT_EQ(defined(QStringLiteral("BRRA"))->Caption(true), QStringLiteral("Breath rate"));
}

TEST_F(ParameterDefTest, DisplayUnitsFollowTheUsersSettings)
{
    setSetting(QStringLiteral("PressureUnit"), 1);
    setSetting(QStringLiteral("HighPressureUnit"), 3);
    setSetting(QStringLiteral("FlowUnit"), 102);
    setSetting(QStringLiteral("TemperatureUnit"), 201);

    EXPECT_EQ(defined(QStringLiteral("INPP"))->DisplayUnit(), eunPressure_mBar);
    EXPECT_EQ(defined(QStringLiteral("HIPR"))->DisplayUnit(), eunPressure_kPa);
    EXPECT_EQ(defined(QStringLiteral("ATPR"))->DisplayUnit(), eunPressure_kPa);
    EXPECT_EQ(defined(QStringLiteral("LERA"))->DisplayUnit(), eunLeakRate_mBar_PerSec);
    EXPECT_EQ(defined(QStringLiteral("EXPF"))->DisplayUnitText(), QStringLiteral("l/min"));
    const auto temp = defined(QStringLiteral("TEMP"));
    EXPECT_EQ(temp->DisplayUnit(), eunTemperature_Fahrenheit);
    EXPECT_EQ(temp->Converter()->SelectedConversion(), eunTemperature_Fahrenheit);
    EXPECT_EQ(temp->Converter()->Unit(), QStringLiteral("F"));
    EXPECT_EQ(temp->BaseUnitText(), QStringLiteral("C"));

    setSetting(QStringLiteral("PressureUnit"), 2);
    const auto leak = defined(QStringLiteral("LERA"));
    EXPECT_EQ(leak->DisplayUnit(), eunLeakRate_mmHg_PerSec);
    EXPECT_EQ(leak->Converter()->Unit(), QStringLiteral("mmHg/sec"));
    EXPECT_EQ(leak->Converter()->ConvertFromInternalUnit(10.0f), 7.355589866638184f);
}

TEST_F(ParameterDefTest, LeakRateKeepsItsUnitWhenThePressureSettingIsNoPressureUnit)
{
    setSetting(QStringLiteral("PressureUnit"), 7);
    const auto leak = defined(QStringLiteral("LERA"));
    EXPECT_EQ(leak->DisplayUnit(), 0);
    EXPECT_EQ(defined(QStringLiteral("INPP"))->DisplayUnit(), 7); // not checked for pressures
}

TEST_F(ParameterDefTest, GraphScaleComesFromTheRegistryInHundredths)
{
    setSetting(QStringLiteral("ScaleFlowMin_mlSec"), -300);
    setSetting(QStringLiteral("ScaleFlowSpan_mlSec"), 600);
    setSetting(QStringLiteral("ScalePressureMin_cmH2O"), QStringLiteral("not a number"));
    setSetting(QStringLiteral("ScalePressureSpan_cmH2O"), 4550);

    const auto flow = defined(QStringLiteral("FLOW"))->ScaleRange();
    EXPECT_EQ(flow.Min, -3.0f);
    EXPECT_EQ(flow.Span, 6.0f);
    const auto pressure = defined(QStringLiteral("PRES"))->ScaleRange();
    EXPECT_EQ(pressure.Min, 0.0f); // the unreadable half keeps its value
    EXPECT_EQ(pressure.Span, 45.5f);
    const auto breathRate = defined(QStringLiteral("BRRA"))->ScaleRange();
    EXPECT_EQ(breathRate.Min, -1.0f);
    EXPECT_EQ(breathRate.Span, 2.0f);

    setSetting(QStringLiteral("ScaleFlowSpan_mlSec"), -300);
    const auto equal = defined(QStringLiteral("FLOW"))->ScaleRange();
    EXPECT_EQ(equal.Min, -1.0f);
    EXPECT_EQ(equal.Span, 2.0f);
}

TEST_F(ParameterDefTest, MissingScaleValuesGiveMinusOneAndTwo)
{
    const auto flow = defined(QStringLiteral("FLOW"))->ScaleRange();
    EXPECT_EQ(flow.Min, -1.0f);
    EXPECT_EQ(flow.Span, 2.0f);
}

TEST_F(ParameterDefTest, UnknownKeyOnANewDefinition)
{
    const auto def = defined(QStringLiteral("XXXX"));
    EXPECT_EQ(def->Caption(false), QString());
    EXPECT_EQ(def->BaseUnit(), 0);
    EXPECT_EQ(def->DisplayUnit(), 0);
    EXPECT_EQ(def->Converter(), nullptr);
    EXPECT_EQ(def->Kind(), 1);
    EXPECT_EQ(def->ScaleRange().Min, -1.0f);
    EXPECT_EQ(def->ScaleRange().Span, 2.0f);
    EXPECT_EQ(def->ValueFormat(), QStringLiteral("0.00"));
    EXPECT_TRUE(def->Selected());
}

TEST_F(ParameterDefTest, KindIsACaseSensitiveSubstringSearch)
{
    const struct {
        const char* key;
        int32_t kind;
    } cases[] = {{"FLOW", 0}, {"PRES", 0}, {"VOLU", 0}, {"", 0}, {"W PR", 0}, {"flow", 1},
                 {"ACPR", 2}, {"LERA", 2}, {"ACFL", 2}, {"HIPR", 2}, {"ATPR", 1}, {"MEEP", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(defined(QString::fromLatin1(c.key))->Kind(), c.kind) << c.key;
}

TEST_F(ParameterDefTest, DisplayUnitSettersInitialiseTheConverter)
{
    const auto flow = defined(QStringLiteral("FLOW"));
    flow->setDisplayUnit(eunFlow_LpMin);
    EXPECT_EQ(flow->Converter()->SelectedConversion(), eunFlow_LpMin);
    EXPECT_EQ(flow->Converter()->Unit(), QStringLiteral("l/min"));
    flow->setDisplayUnitText(QStringLiteral("l/sec"));
    EXPECT_EQ(flow->DisplayUnit(), eunFlow_LpSec);
    flow->setDisplayUnitText(QStringLiteral("L/SEC"));
    EXPECT_EQ(flow->DisplayUnit(), 0);
    EXPECT_EQ(flow->Converter()->ConvertFromInternalUnit(5.0f), 5.0f);

    const auto volume = defined(QStringLiteral("TIVO"));
    volume->setDisplayUnit(eunFlow_LpMin);
    EXPECT_EQ(volume->DisplayUnitText(), QStringLiteral("l/min"));
    EXPECT_EQ(volume->Converter(), nullptr);
}

TEST_F(ParameterDefTest, SettingAnotherKeyDropsTheConverterOfUnitsWithoutAlternatives)
{
    const auto def = defined(QStringLiteral("INPF"));
    def->setKey(QStringLiteral("BRRA"));
    EXPECT_EQ(def->Converter(), nullptr);
    EXPECT_EQ(def->DisplayUnit(), eunMisc_BPM);
    def->setKey(QStringLiteral("UNKNOWN"));
    EXPECT_EQ(def->Caption(false), QStringLiteral("20600::Breath rate")); // kept from before
}

TEST_F(ParameterDefTest, CloneTakesSelectionScaleAndDisplayUnitButTheCurrentDefaults)
{
    setSetting(QStringLiteral("ScaleFlowMin_mlSec"), -300);
    setSetting(QStringLiteral("ScaleFlowSpan_mlSec"), 600);
    const auto flow = defined(QStringLiteral("FLOW"));
    flow->setDisplayUnit(eunFlow_LpSec);
    flow->setSelected(false);
    setSetting(QStringLiteral("ScaleFlowSpan_mlSec"), 900);

    const auto copy = flow->Clone();
    EXPECT_EQ(copy->Key(), QStringLiteral("FLOW"));
    EXPECT_FALSE(copy->Selected());
    EXPECT_EQ(copy->ScaleRange().Span, 6.0f); // copied, not read again
    EXPECT_EQ(copy->DisplayUnit(), eunFlow_LpSec);
    EXPECT_NE(copy->Converter(), flow->Converter());
    EXPECT_EQ(copy->Converter()->SelectedConversion(), eunFlow_LpSec);

    // A source without a converter leaves the display unit at the copy's default.
    const auto volume = defined(QStringLiteral("TIVO"));
    volume->setDisplayUnit(eunMisc_BPM);
    EXPECT_EQ(volume->Clone()->DisplayUnit(), eunVolume_Liter);
}

class ParameterRecordTest : public ParameterDefTest {
protected:
    void SetUp() override
    {
        ParameterDefTest::SetUp();
        document = Nelvar::xmlService().CreateDocument();
    }

    std::shared_ptr<Nelvar::IXmlElement> element(const QString& tag, const QString& key, const QString& unit = {})
    {
        const auto e = document->CreateElement(tag);
        e->SetAttribute(QStringLiteral("Key"), key);
        if (!unit.isEmpty())
            e->SetAttribute(QStringLiteral("DisplayUnit"), unit);
        return e;
    }

    std::shared_ptr<Nelvar::IXmlDocument> document;
};

TEST_F(ParameterRecordTest, SaveWritesTheDisplayUnitOnlyWhenItDiffersFromTheBase)
{
    const auto flow = defined(QStringLiteral("FLOW"));
    const auto plain = flow->Save(document);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->TagName(), QStringLiteral("Parameter"));
    EXPECT_EQ(plain->GetAttribute(QStringLiteral("Key")), QStringLiteral("FLOW"));
    EXPECT_EQ(plain->GetAttribute(QStringLiteral("DisplayUnit")), QString());

    flow->setDisplayUnit(eunFlow_LpMin);
    EXPECT_EQ(flow->Save(document)->GetAttribute(QStringLiteral("DisplayUnit")), QStringLiteral("102"));

    flow->setSelected(false);
    EXPECT_EQ(flow->Save(document), nullptr);
}

TEST_F(ParameterRecordTest, LoadSelectsAndSetsTheStoredOrTheBaseUnit)
{
    setSetting(QStringLiteral("FlowUnit"), 101);
    const auto flow = defined(QStringLiteral("FLOW"));
    flow->setSelected(false);
    flow->Load(element(QStringLiteral("Parameter"), QStringLiteral("FLOW"), QStringLiteral("102")));
    EXPECT_TRUE(flow->Selected());
    EXPECT_EQ(flow->DisplayUnit(), eunFlow_LpMin);
    EXPECT_EQ(flow->Converter()->SelectedConversion(), eunFlow_LpMin);

    flow->Load(element(QStringLiteral("Parameter"), QStringLiteral("FLOW")));
    EXPECT_EQ(flow->DisplayUnit(), eunFlow_MLpSec); // the base unit, not the user's default

    flow->Load(element(QStringLiteral("Parameter"), QStringLiteral("FLOW"), QStringLiteral("101.5")));
    EXPECT_EQ(flow->DisplayUnit(), eunFlow_LpMin);
}

TEST_F(ParameterRecordTest, LoadOfAnotherElementRaisesAndChangesNothing)
{
    const auto flow = defined(QStringLiteral("FLOW"));
    flow->setSelected(false);
    for (const auto& wrong : {element(QStringLiteral("Parameter"), QStringLiteral("PRES"), QStringLiteral("102")),
                              element(QStringLiteral("parameter"), QStringLiteral("FLOW"), QStringLiteral("102")),
                              element(QStringLiteral("Parameter"), QString(), QStringLiteral("102"))}) {
        const com::Error error = caughtError([&] { flow->Load(wrong); });
        EXPECT_EQ(error.number(), eeParameterDefWrongElement);
        EXPECT_EQ(error.source(), QStringLiteral("CParameterDef"));
        EXPECT_EQ(error.flags(), 4);
    }
    EXPECT_FALSE(flow->Selected());
    EXPECT_EQ(flow->DisplayUnit(), eunFlow_MLpSec);
}

TEST_F(ParameterRecordTest, ForeignErrorsAreWrappedWithTheSource)
{
    const auto flow = defined(QStringLiteral("FLOW"));
    const com::Error badUnit = caughtError(
        [&] { flow->Load(element(QStringLiteral("Parameter"), QStringLiteral("FLOW"), QStringLiteral("ml/sec"))); });
    EXPECT_EQ(badUnit.number(), com::errTypeMismatch);
    EXPECT_EQ(badUnit.source(), QStringLiteral("CParameterDef"));

    const com::Error noElement = caughtError([&] { flow->Load(nullptr); });
    EXPECT_EQ(noElement.number(), com::errObjectNotSet);
    EXPECT_EQ(noElement.source(), QStringLiteral("CParameterDef"));
    EXPECT_EQ(caughtError([&] { flow->Save(nullptr); }).number(), com::errObjectNotSet);
}

TEST_F(ParameterRecordTest, SavedAndLoadedDefinitionKeepsItsDisplayUnit)
{
    const auto saved = defined(QStringLiteral("PEPR"));
    saved->setDisplayUnit(eunPressure_PSI);
    const auto loaded = defined(QStringLiteral("PEPR"));
    loaded->Load(saved->Save(document));
    EXPECT_EQ(loaded->DisplayUnit(), eunPressure_PSI);
    EXPECT_EQ(loaded->Converter()->Unit(), QStringLiteral("PSI"));
}
