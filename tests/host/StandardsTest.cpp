#include "CompactXml.h"
#include "InertTestElement.h"
#include "RecordingReport.h"

#include "standards/Limit.h"
#include "standards/Standard.h"
#include "standards/StandardsCollection.h"
#include "xml/XmlService.h"

#include "Converter.h"
#include "Xml.h"

#include "com/Error.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <limits>

namespace {

template <typename Statement>
int32_t raisedNumber(Statement&& statement)
{
    try {
        statement();
    } catch (const com::Error& error) {
        return error.number();
    }
    return 0;
}

std::shared_ptr<host::Limit> limitOf(const QString& name, const QString& upper = {}, const QString& lower = {})
{
    auto limit = std::make_shared<host::Limit>();
    limit->Initialize(name, QStringLiteral("BPM"), upper, lower);
    return limit;
}

// Shows a base value v as factor * v + offset.
class LinearConverter final : public Nelvar::IConverter {
public:
    LinearConverter(float factor, float offset) : m_factor(factor), m_offset(offset) {}
    int32_t SelectedConversion() const override { return 0; }
    QString Unit() const override { return {}; }
    void Initialize(int32_t, const QString&) override {}
    float ConvertToInternalUnit(float value) const override { return (value - m_offset) / m_factor; }
    float ConvertFromInternalUnit(float value) const override { return m_factor * value + m_offset; }

private:
    float m_factor;
    float m_offset;
};

int32_t checked(const Nelvar::IStandard& standard, const QString& key, float value)
{
    int32_t status = -1;
    standard.Check(key, value, com::Value::null(), status);
    return status;
}

float shownValue(const Nelvar::ILimit& limit, int32_t index)
{
    float value = 0.0f;
    limit.Value(index, value);
    return value;
}

std::shared_ptr<host::Standard> standardOf(const QString& name, const QString& key2)
{
    auto standard = std::make_shared<host::Standard>();
    standard->Initialize(name, key2, 1);
    return standard;
}

// One standard "ISO"/"A" with an inspiratory pressure limit shown as 2 v + 1 (upper 41 shown,
// 20 in the base unit; lower 2 shown, 0.5 in the base unit, disabled) and a breath-rate limit without conversion.
host::Standards sampleStandards()
{
    const auto pressure = limitOf(QStringLiteral("INPP"));
    pressure->setUnit(QStringLiteral("mbar"));
    pressure->SetConversion(std::make_shared<LinearConverter>(2.0f, 1.0f), QStringLiteral("cmH2O"));
    pressure->setValue(0, 41.0f);
    pressure->setEnabled(0, true);
    pressure->setValue(1, 2.0f);
    const auto iso = standardOf(QStringLiteral("ISO"), QStringLiteral("A"));
    iso->Add(pressure);
    iso->Add(limitOf(QStringLiteral("BRRA"), QStringLiteral("30"), QStringLiteral("8")));
    host::Standards standards;
    standards.Add(iso);
    return standards;
}

QString savedText(const Nelvar::IStandards& standards)
{
    const auto document = host::XmlService().CreateDocument();
    const auto element = standards.Save(document);
    element->setTagName(QStringLiteral("ExpectedResult"));
    document->setDocumentElement(element);
    return document->Xml();
}

std::shared_ptr<Nelvar::IXmlElement> rootOf(const QString& text)
{
    const auto document = host::XmlService().CreateDocument();
    document->LoadXml(text);
    return document->DocumentElement();
}

} // namespace

TEST(StandardsTest, LimitValuesAreEnabledOnlyWhenGiven)
{
    const auto limit = limitOf(QStringLiteral("BRRA"), QStringLiteral("20.5"), QString());
    float value = -1.0f;
    bool enabled = false;
    limit->Value(0, value);
    limit->Enabled(0, enabled);
    EXPECT_EQ(value, 20.5f);
    EXPECT_TRUE(enabled);
    limit->Value(1, value);
    limit->Enabled(1, enabled);
    EXPECT_EQ(value, 0.0f);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(limit->Name(), QStringLiteral("BRRA"));
    limit->setUnit(QStringLiteral("1/min"));
    EXPECT_EQ(limit->Unit(), QStringLiteral("1/min"));

    EXPECT_EQ(raisedNumber([&] { limit->Value(2, value); }), com::errSubscript);
    EXPECT_EQ(raisedNumber([&] { limit->Enabled(-1, enabled); }), com::errSubscript);
    // A value that is no number leaves the limit as it was.
    EXPECT_EQ(raisedNumber([&] {
                  limit->Initialize(QStringLiteral("TIVO"), {}, QStringLiteral("1"), QStringLiteral("low"));
              }),
              com::errTypeMismatch);
    EXPECT_EQ(limit->Name(), QStringLiteral("BRRA"));
}

TEST(StandardsTest, StandardListsItsLimitsInOrderFromPositionOne)
{
    host::Standard standard;
    standard.Initialize(QStringLiteral("ISO"), QStringLiteral("ISO 80601-2-12"), 1);
    EXPECT_EQ(standard.Name(), QStringLiteral("ISO"));
    EXPECT_EQ(standard.Key2(), QStringLiteral("ISO 80601-2-12"));
    for (const char* key : {"BRRA", "TIVO", "INPF"})
        standard.Add(limitOf(QString::fromLatin1(key)));
    EXPECT_EQ(raisedNumber([&] { standard.Add(nullptr); }), com::errObjectNotSet);

    const auto limits = standard.Limits();
    ASSERT_EQ(limits->Count(), 3);
    EXPECT_EQ(limits->Item(1)->Name(), QStringLiteral("BRRA"));
    limits->Remove(2);
    QStringList names;
    for (const auto& limit : *limits)
        names << limit->Name();
    EXPECT_EQ(names, (QStringList{"BRRA", "INPF"}));
    EXPECT_EQ(raisedNumber([&] { limits->Item(0); }), com::errSubscript);
    EXPECT_EQ(raisedNumber([&] { limits->Item(3); }), com::errSubscript);
    EXPECT_EQ(raisedNumber([&] { limits->Remove(3); }), com::errInvalidCall);
    EXPECT_EQ(standard.Limits()->Count(), 2);
}

TEST(StandardsTest, CheckFailsAValueOutsideAnEnabledBoundOfTheFirstLimitOfTheKey)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* upper;
        const char* lower;
        float value;
        int32_t status;
    };
    const Case cases[] = {
        {"40", "5", 40.0f, 1},   {"40", "5", 5.0f, 1},  {"40", "5", 40.01f, 2}, {"40", "5", 4.99f, 2},
        {"", "5", 1000.0f, 1},   {"40", "", -1e6f, 1},  {"", "", nan, 1},       {"40", "5", nan, 2},
        {"-5", "-10", -11.0f, 2}, {"-5", "-10", 0.0f, 2},
    };
    for (const Case& c : cases) {
        host::Standard standard;
        standard.Add(limitOf(QStringLiteral("BRRA"), QStringLiteral("1"), QStringLiteral("1")));
        standard.Add(limitOf(QStringLiteral("INPP"), QString::fromLatin1(c.upper), QString::fromLatin1(c.lower)));
        standard.Add(limitOf(QStringLiteral("INPP"), QStringLiteral("0"), QStringLiteral("0")));
        EXPECT_EQ(checked(standard, QStringLiteral("INPP"), c.value), c.status)
            << c.upper << " " << c.lower << " " << c.value;
    }

    host::Standard standard;
    standard.Add(limitOf(QStringLiteral("INPP"), QStringLiteral("1"), QStringLiteral("1")));
    EXPECT_EQ(checked(standard, QStringLiteral("inpp"), 99.0f), 0);
    EXPECT_EQ(checked(standard, QStringLiteral("TIVO"), 99.0f), 0);
}

TEST(StandardsTest, NumericLimitKeepsItsBoundsInTheBaseUnitAndShowsThemInTheDisplayUnit)
{
    const auto limit = limitOf(QStringLiteral("INPP"));
    limit->SetConversion(std::make_shared<LinearConverter>(2.0f, 1.0f), QStringLiteral("cmH2O"));
    EXPECT_EQ(limit->BaseUnit(), QStringLiteral("cmH2O"));
    limit->setValue(0, 41.0f);
    limit->setEnabled(0, true);
    EXPECT_FLOAT_EQ(shownValue(*limit, 0), 41.0f);
    host::Standard standard;
    standard.Add(limit);
    // Measured values arrive in the base unit: 20 shows as 41, 20.5 as 42.
    EXPECT_EQ(checked(standard, QStringLiteral("INPP"), 20.0f), 1);
    EXPECT_EQ(checked(standard, QStringLiteral("INPP"), 20.5f), 2);

    // Another display unit shows the same bound, and the check does not change.
    limit->SetConversion(std::make_shared<LinearConverter>(10.0f, 0.0f), QStringLiteral("cmH2O"));
    EXPECT_FLOAT_EQ(shownValue(*limit, 0), 200.0f);
    EXPECT_EQ(checked(standard, QStringLiteral("INPP"), 20.0f), 1);
    EXPECT_EQ(checked(standard, QStringLiteral("INPP"), 20.5f), 2);
    limit->SetConversion(nullptr, QString());
    EXPECT_FLOAT_EQ(shownValue(*limit, 0), 20.0f);

    EXPECT_EQ(raisedNumber([&] { limit->setValue(0, std::numeric_limits<float>::infinity()); }), com::errInvalidCall);
    EXPECT_EQ(raisedNumber([&] { limit->setValue(2, 1.0f); }), com::errSubscript);
    EXPECT_EQ(raisedNumber([&] { limit->setEnabled(-1, true); }), com::errSubscript);
    EXPECT_FLOAT_EQ(shownValue(*limit, 0), 20.0f);
}

TEST(StandardsTest, StandardsFindAStandardByNameAndSecondKey)
{
    host::Standards standards;
    const auto isoA = standardOf(QStringLiteral("ISO"), QStringLiteral("A"));
    const auto isoB = standardOf(QStringLiteral("ISO"), QStringLiteral("B"));
    for (const auto& standard : {isoA, isoB, standardOf(QStringLiteral("EN"), QStringLiteral("A"))})
        standards.Add(standard);
    EXPECT_EQ(raisedNumber([&] { standards.Add(nullptr); }), com::errObjectNotSet);

    ASSERT_EQ(standards.Count(), 3);
    EXPECT_EQ(standards.ItemAt(2), isoB);
    EXPECT_EQ(standards.Item(0, QStringLiteral("ISO"), QStringLiteral("B")), isoB);
    EXPECT_EQ(standards.Item(0, QStringLiteral("ISO"), QStringLiteral("A")), isoA);
    EXPECT_EQ(standards.Item(0, QStringLiteral("iso"), QStringLiteral("B")), nullptr);
    EXPECT_EQ(standards.Item(0, QStringLiteral("EN"), QStringLiteral("B")), nullptr);
    EXPECT_EQ(raisedNumber([&] { standards.Item(1, QStringLiteral("ISO"), QStringLiteral("A")); }),
              com::errInvalidCall);
    EXPECT_EQ(raisedNumber([&] { standards.ItemAt(0); }), com::errSubscript);
    EXPECT_EQ(raisedNumber([&] { standards.ItemAt(4); }), com::errSubscript);
    QStringList names;
    for (const auto& standard : standards)
        names << standard->Name() + standard->Key2();
    EXPECT_EQ(names, (QStringList{"ISOA", "ISOB", "ENA"}));

    standards.Clear();
    EXPECT_EQ(standards.Count(), 0);
}

TEST(StandardsTest, CloneCopiesEveryStandardAndLimit)
{
    const host::Standards original = sampleStandards();
    const auto clone = original.Clone();
    const auto originalIso = original.ItemAt(1);
    const auto cloneIso = clone->ItemAt(1);
    ASSERT_NE(cloneIso, originalIso);
    EXPECT_EQ(cloneIso->Name(), QStringLiteral("ISO"));
    EXPECT_EQ(cloneIso->Key2(), QStringLiteral("A"));
    ASSERT_EQ(cloneIso->Limits()->Count(), 2);
    const auto clonePressure = std::dynamic_pointer_cast<host::Limit>(cloneIso->Limits()->Item(1));
    ASSERT_NE(clonePressure, nullptr);
    ASSERT_NE(clonePressure, originalIso->Limits()->Item(1));
    EXPECT_FLOAT_EQ(shownValue(*clonePressure, 0), 41.0f);

    clonePressure->setValue(0, 61.0f);
    cloneIso->Limits()->Remove(2);
    clone->Add(standardOf(QStringLiteral("EN"), QString()));
    EXPECT_FLOAT_EQ(shownValue(*originalIso->Limits()->Item(1), 0), 41.0f);
    EXPECT_EQ(originalIso->Limits()->Count(), 2);
    EXPECT_EQ(original.Count(), 1);
}

TEST(StandardsTest, SaveWritesBoundsInTheBaseUnitAndLoadReadsTheSameBytesBack)
{
    const QString saved = savedText(sampleStandards());
    EXPECT_EQ(compactXml(saved),
              QStringLiteral("<ExpectedResult><Standard Name=\"ISO\" Key2=\"A\" Kind=\"1\">"
                             "<Limit Name=\"INPP\" Unit=\"mbar\" BaseUnit=\"cmH2O\" Upper=\"20\" UpperEnabled=\"True\" "
                             "Lower=\"0.5\" />"
                             "<Limit Name=\"BRRA\" Unit=\"BPM\" Upper=\"30\" UpperEnabled=\"True\" Lower=\"8\" "
                             "LowerEnabled=\"True\" />"
                             "</Standard></ExpectedResult>"))
        << saved.toStdString();

    host::Standards loaded;
    loaded.Load(rootOf(saved), nullptr);
    EXPECT_EQ(savedText(loaded), saved);
    const auto pressure = std::dynamic_pointer_cast<host::Limit>(loaded.ItemAt(1)->Limits()->Item(1));
    ASSERT_NE(pressure, nullptr);
    EXPECT_EQ(pressure->BaseUnit(), QStringLiteral("cmH2O"));
    // The conversion is given again by the limit's owner; until then the base values show.
    EXPECT_FLOAT_EQ(shownValue(*pressure, 0), 20.0f);
    EXPECT_EQ(checked(*loaded.ItemAt(1), QStringLiteral("INPP"), 20.5f), 2);
}

TEST(StandardsTest, LoadRaisesForADamagedRecordAndKeepsWhatItHeld)
{
    struct Case {
        const char* text;
        int32_t number;
    };
    const Case cases[] = {
        {"<E><Standard Name='ISO'><Limit Name='INPP' Upper='forty'/></Standard></E>", com::errTypeMismatch},
        {"<E><Standard Name='ISO'><Limit Name='INPP' LowerEnabled='yes'/></Standard></E>", com::errTypeMismatch},
        {"<E><Standard Name='ISO'><Limit Name='INPP' Lower='1e40'/></Standard></E>", com::errOverflow},
        {"<E><Standard Name='ISO' Kind='x'/></E>", com::errTypeMismatch},
    };
    for (const Case& c : cases) {
        host::Standards standards = sampleStandards();
        const auto held = standards.ItemAt(1);
        EXPECT_EQ(raisedNumber([&] { standards.Load(rootOf(QString::fromLatin1(c.text)), nullptr); }), c.number)
            << c.text;
        ASSERT_EQ(standards.Count(), 1);
        EXPECT_EQ(standards.ItemAt(1), held);
    }

    host::Standards standards = sampleStandards();
    standards.Load(rootOf(QStringLiteral("<E><Note/><Standard Name='EN'><Range/></Standard></E>")), nullptr);
    ASSERT_EQ(standards.Count(), 1);
    EXPECT_EQ(standards.ItemAt(1)->Name(), QStringLiteral("EN"));
    EXPECT_EQ(standards.ItemAt(1)->Limits()->Count(), 0);
    EXPECT_EQ(raisedNumber([&] { standards.Load(nullptr, nullptr); }), com::errObjectNotSet);
}

TEST(StandardsTest, UpdateReferencesKeepsTheElementWithoutOwningIt)
{
    host::Standards standards;
    auto element = std::make_shared<InertTestElement>();
    standards.UpdateReferences(element);
    EXPECT_EQ(standards.Owner(), element);
    EXPECT_EQ(std::dynamic_pointer_cast<host::Standards>(standards.Clone())->Owner(), nullptr);
    element.reset();
    EXPECT_EQ(standards.Owner(), nullptr);
}

TEST(StandardsTest, PrintReportTablesTheLimitsOfTheContextsStandardsInTheParameterTablesOrder)
{
    host::Standards standards = sampleStandards();
    const auto other = standardOf(QStringLiteral("Ward"), QString());
    other->Add(limitOf(QStringLiteral("BRRA"), QStringLiteral("25")));
    standards.Add(other);
    com::Value table = com::Value::make2D(3, 3);
    const QStringList rows{"BRRA", "Breath rate", "0.0", "TIVO", "Tidal volume", "0.000", "INPP",
                           "Inspiratory peak pressure", "0.00"};
    for (int32_t i = 0; i < 9; ++i)
        table.at2D(i / 3, i % 3) = rows[i];

    const auto report = std::make_shared<RecordingReport>();
    const QString columns = QStringLiteral("<+560|<2240|>+2213|>+2213|^+!2213|<+560;");
    standards.PrintReport(report, nullptr, table);
    EXPECT_EQ(report->callsStartingWith({"PrintTable("}),
              (QStringList{"PrintTable(" + columns
                               + ",|{\\b Expected results: ISO (A)};|{\\i\\b Parameter}|{\\i\\b Lower limit}"
                                 "|{\\i\\b Upper limit}|{\\i\\b Unit};,|Breath rate|8.0|30.0|BPM;"
                                 "|Inspiratory peak pressure|-|41.00|mbar;,0,0,0)",
                           "PrintTable(" + columns
                               + ",|{\\b Expected results: Ward};|{\\i\\b Parameter}|{\\i\\b Lower limit}"
                                 "|{\\i\\b Upper limit}|{\\i\\b Unit};,|Breath rate|-|25.0|BPM;,0,0,0)"}));

    // With a limit context only the standards it names print.
    host::Standards context;
    context.Add(standardOf(QStringLiteral("Ward"), QString()));
    report->restart();
    standards.PrintReport(report, std::make_shared<host::Standards>(context), table);
    EXPECT_EQ(report->callsStartingWith({"PrintTable("}).size(), 1);
    EXPECT_TRUE(report->calls.last().contains(QStringLiteral("Ward")));
    standards.PrintReport(nullptr, nullptr, table);
}
