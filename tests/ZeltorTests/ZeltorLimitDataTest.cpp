#include "elements/CConfigVentilator.h"
#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "elements/CZeltorLimitData.h"
#include "elements/TestErrors.h"

#include "CaughtError.h"
#include "InertTestElement.h"
#include "HostFixture.h"
#include "RecordingReport.h"

#include "EUnit.h"
#include "HostServices.h"
#include "HostViews.h"
#include "Standards.h"
#include "Xml.h"
#include "standards/Limit.h"
#include "views/HostCallBack.h"
#include "views/LimitTable.h"
#include "testmodel/TestSequence.h"

#include "Dialogs.h"
#include "com/ClassRegistry.h"

#include <QWidget>

#include <utility>
#include <vector>

using namespace ZeltorTests;
using namespace ZeltorConverter;

class ZeltorLimitDataTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        // The limit page's form comes from the library, by its class name.
        com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
        setSetting(QStringLiteral("FlowUnit"), eunFlow_LpMin);
        configuration = std::make_shared<CConfigVentilator>();
        configuration->LoadDefaultSettings();
        owner = std::make_shared<InertTestElement>(configuration);
        limits = std::make_shared<CZeltorLimitData>();
        limits->SetOwner(owner);
        document = Nelvar::xmlService().CreateDocument();
    }

    static QStringList limitNames(const Nelvar::IStandard& standard)
    {
        QStringList names;
        for (const auto& limit : *standard.Limits())
            names << limit->Name();
        return names;
    }

    static std::shared_ptr<host::Limit> limitOf(const Nelvar::IStandard& standard, const QString& name)
    {
        for (const auto& limit : *standard.Limits())
            if (limit->Name() == name)
                return std::dynamic_pointer_cast<host::Limit>(limit);
        return nullptr;
    }

    // An upper bound in the parameter's display unit.
    static void setUpperBound(const Nelvar::IStandard& standard, const QString& name, float value)
    {
        const auto limit = limitOf(standard, name);
        ASSERT_NE(limit, nullptr) << name.toStdString();
        limit->setValue(0, value);
        limit->setEnabled(0, true);
    }

    static float upperBound(const Nelvar::IStandard& standard, const QString& name)
    {
        float value = 0.0f;
        limitOf(standard, name)->Value(0, value);
        return value;
    }

    std::shared_ptr<CParameterDef> definition(const QString& key) const
    {
        return configuration->Parameters()->Item(key);
    }

    std::shared_ptr<CMeasurement> measurement(const QString& key, float current) const
    {
        auto result = std::make_shared<CMeasurement>();
        result->setParameterDef(definition(key));
        result->AddSample(current);
        return result;
    }

    // A limit context naming standards by name and second key.
    static std::shared_ptr<Nelvar::IStandards> contextOf(std::initializer_list<std::pair<QString, QString>> names)
    {
        auto& classes = com::ClassRegistry::instance();
        const auto context = classes.createAs<Nelvar::IStandards>(QString::fromLatin1(Nelvar::kStandardsProgId));
        for (const auto& [name, key2] : names) {
            const auto standard = classes.createAs<Nelvar::IStandard>(QString::fromLatin1(Nelvar::kStandardProgId));
            standard->Initialize(name, key2, 1);
            context->Add(standard);
        }
        return context;
    }

    QString savedXml(CZeltorLimitData& limitData)
    {
        document->setDocumentElement(limitData.Save(document));
        return document->Xml();
    }

    std::shared_ptr<Nelvar::IXmlElement> parsed(const QString& xml)
    {
        document->LoadXml(xml);
        return document->DocumentElement();
    }

    const QStringList templateLimits{"BRRA", "TIVO", "INPF", "INPP", "PEPR", "MIVO", "IERA", "INHO", "OXLE"};
    std::shared_ptr<CConfigVentilator> configuration;
    std::shared_ptr<InertTestElement> owner;
    std::shared_ptr<CZeltorLimitData> limits;
    std::shared_ptr<Nelvar::IXmlDocument> document;
};

TEST_F(ZeltorLimitDataTest, CreateStandardMakesALimitPerSelectedBreathParameterInItsDisplayUnit)
{
    EXPECT_EQ(limits->Standards(), nullptr);
    const auto standard = limits->CreateStandard(QStringLiteral("ISO"), QStringLiteral("A"));
    ASSERT_NE(standard, nullptr);
    EXPECT_EQ(standard->Name(), QStringLiteral("ISO"));
    EXPECT_EQ(standard->Key2(), QStringLiteral("A"));
    EXPECT_EQ(limitNames(*standard), templateLimits);
    for (const QString& key : templateLimits)
        EXPECT_EQ(limitOf(*standard, key)->Unit(), definition(key)->DisplayUnitText()) << key.toStdString();
    EXPECT_EQ(limitOf(*standard, QStringLiteral("INPF"))->Unit(), QStringLiteral("l/min"));

    // A flow limit converts with the parameter's converter: 30 l/min is 500 ml/sec.
    EXPECT_EQ(limitOf(*standard, QStringLiteral("INPF"))->BaseUnit(), QStringLiteral("ml/sec"));
    EXPECT_EQ(limitOf(*standard, QStringLiteral("BRRA"))->BaseUnit(), QString()); // no converter
    setUpperBound(*standard, QStringLiteral("INPF"), 30.0f);
    int32_t status = 0;
    standard->Check(QStringLiteral("INPF"), 499.0f, com::Value::null(), status);
    EXPECT_EQ(status, 1);
    standard->Check(QStringLiteral("INPF"), 501.0f, com::Value::null(), status);
    EXPECT_EQ(status, 2);

    // Waveform channels never get a limit, even when selected.
    configuration->Parameters()->SetPredefinedView(epvAll);
    const auto all = limits->CreateStandard(QStringLiteral("EN"), QString());
    EXPECT_EQ(all->Limits()->Count(), 16);
    for (const QString& channel : {QStringLiteral("FLOW"), QStringLiteral("PRES"), QStringLiteral("VOLU")})
        EXPECT_FALSE(limitNames(*all).contains(channel));
    ASSERT_NE(limits->Standards(), nullptr);
    EXPECT_EQ(limits->Standards()->Count(), 2);
    EXPECT_EQ(limits->Standards()->Item(0, QStringLiteral("ISO"), QStringLiteral("A")), standard);
}

TEST_F(ZeltorLimitDataTest, SyncStandardsFollowsTheParameterSelection)
{
    const auto first = limits->CreateStandard(QStringLiteral("ISO"), QStringLiteral("A"));
    const auto second = limits->CreateStandard(QStringLiteral("EN"), QStringLiteral("B"));
    setUpperBound(*first, QStringLiteral("BRRA"), 20.0f);

    definition(QStringLiteral("BRRA"))->setSelected(false);
    definition(QStringLiteral("MEIP"))->setSelected(true);
    definition(QStringLiteral("FLOW"))->setSelected(true);
    limits->SyncStandards();
    const QStringList afterDeselect{"TIVO", "INPF", "INPP", "PEPR", "MIVO", "IERA", "INHO", "OXLE", "MEIP"};
    EXPECT_EQ(limitNames(*first), afterDeselect);
    EXPECT_EQ(limitNames(*second), afterDeselect);
    EXPECT_EQ(limitOf(*first, QStringLiteral("MEIP"))->Unit(), definition(QStringLiteral("MEIP"))->DisplayUnitText());

    // Selected again, the parameter gets a fresh limit without values.
    definition(QStringLiteral("BRRA"))->setSelected(true);
    limits->SyncStandards();
    EXPECT_EQ(limitNames(*first), afterDeselect + QStringList{"BRRA"});
    bool enabled = true;
    limitOf(*first, QStringLiteral("BRRA"))->Enabled(0, enabled);
    EXPECT_FALSE(enabled);

    // Without standards there is nothing to bring in line.
    CZeltorLimitData empty;
    empty.SetOwner(owner);
    empty.SyncStandards();
    EXPECT_EQ(empty.Standards(), nullptr);
}

TEST_F(ZeltorLimitDataTest, SavedStandardsLoadBackAsExpectedResultWithTheSameBytes)
{
    EXPECT_EQ(limits->Save(document), nullptr);
    const auto standard = limits->CreateStandard(QStringLiteral("ISO"), QStringLiteral("A"));
    setUpperBound(*standard, QStringLiteral("INPF"), 30.0f);
    const auto element = limits->Save(document);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->TagName(), QStringLiteral("ExpectedResult"));
    const QString first = savedXml(*limits);

    CZeltorLimitData reloaded;
    reloaded.SetOwner(owner);
    reloaded.Load(parsed(first), nullptr);
    ASSERT_NE(reloaded.Standards(), nullptr);
    const auto loaded = reloaded.Standards()->Item(0, QStringLiteral("ISO"), QStringLiteral("A"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(limitNames(*loaded), templateLimits);
    EXPECT_EQ(savedXml(reloaded), first);

    // An element that holds no standard leaves none, and nothing is saved.
    reloaded.Load(parsed(QStringLiteral("<ExpectedResult/>")), nullptr);
    EXPECT_EQ(reloaded.Standards(), nullptr);
    EXPECT_EQ(reloaded.Save(document), nullptr);
}

TEST_F(ZeltorLimitDataTest, LoadErrorsCarryTheirNumbersAndTheClassAsSource)
{
    const com::Error wrongElement = caughtError([&] { limits->Load(parsed(QStringLiteral("<Standards/>")), nullptr); });
    EXPECT_EQ(wrongElement.number(), eeLimitDataWrongElement);
    EXPECT_EQ(wrongElement.source(), QStringLiteral("CZeltorLimitData"));
    EXPECT_EQ(wrongElement.flags(), 1);

    const com::Error damaged = caughtError([&] {
        limits->Load(parsed(QStringLiteral("<ExpectedResult><Standard Name=\"ISO\" Key2=\"\" Kind=\"1\">"
                                           "<Limit Name=\"INPF\" Upper=\"lots\" UpperEnabled=\"True\"/>"
                                           "</Standard></ExpectedResult>")),
                     nullptr);
    });
    EXPECT_EQ(damaged.number(), com::errTypeMismatch);
    EXPECT_EQ(damaged.source(), QStringLiteral("CZeltorLimitData"));
}

TEST_F(ZeltorLimitDataTest, ApplyConversionsBindsLoadedLimitsToTheConfigurationsUnits)
{
    const auto standard = limits->CreateStandard(QStringLiteral("ISO"), QStringLiteral("A"));
    setUpperBound(*standard, QStringLiteral("INPF"), 30.0f);
    const QString saved = savedXml(*limits);

    CZeltorLimitData reloaded;
    reloaded.Load(parsed(saved), nullptr);
    const auto loaded = reloaded.Standards()->ItemAt(1);
    EXPECT_FLOAT_EQ(upperBound(*loaded, QStringLiteral("INPF")), 500.0f); // base unit until bound

    reloaded.ApplyConversions(configuration);
    EXPECT_FLOAT_EQ(upperBound(*loaded, QStringLiteral("INPF")), 30.0f);
    EXPECT_EQ(limitOf(*loaded, QStringLiteral("INPF"))->BaseUnit(), QStringLiteral("ml/sec"));

    definition(QStringLiteral("INPF"))->setDisplayUnit(eunFlow_LpSec);
    reloaded.ApplyConversions(configuration);
    EXPECT_FLOAT_EQ(upperBound(*loaded, QStringLiteral("INPF")), 0.5f);
}

TEST_F(ZeltorLimitDataTest, FindFailedStandardsJudgesTheCurrentValueAgainstTheContextsStandards)
{
    const auto iso = limits->CreateStandard(QStringLiteral("ISO"), QStringLiteral("A"));
    const auto en = limits->CreateStandard(QStringLiteral("EN"), QStringLiteral("B"));
    setUpperBound(*iso, QStringLiteral("INPF"), 30.0f); // 500 ml/sec
    setUpperBound(*en, QStringLiteral("INPF"), 60.0f);  // 1000 ml/sec
    const auto context = contextOf({{QStringLiteral("ISO"), QStringLiteral("A")}, {QStringLiteral("EN"), QStringLiteral("B")}});

    EXPECT_EQ(limits->FindFailedStandards(measurement(QStringLiteral("INPF"), 400.0f), context), nullptr);

    const auto failedOne = limits->FindFailedStandards(measurement(QStringLiteral("INPF"), 600.0f), context);
    ASSERT_NE(failedOne, nullptr);
    ASSERT_EQ(failedOne->Count(), 1);
    EXPECT_EQ(failedOne->ItemAt(1), iso);

    const auto failedBoth = limits->FindFailedStandards(measurement(QStringLiteral("INPF"), 1200.0f), context);
    ASSERT_NE(failedBoth, nullptr);
    EXPECT_EQ(failedBoth->Count(), 2);

    // Standards that this limit data does not hold play no part.
    const auto strangers = contextOf({{QStringLiteral("ISO"), QStringLiteral("B")}, {QStringLiteral("DIN"), QStringLiteral("A")}});
    EXPECT_EQ(limits->FindFailedStandards(measurement(QStringLiteral("INPF"), 1200.0f), strangers), nullptr);

    // Nothing to judge with or against.
    EXPECT_EQ(limits->FindFailedStandards(measurement(QStringLiteral("INPF"), 1200.0f), nullptr), nullptr);
    EXPECT_EQ(limits->FindFailedStandards(nullptr, context), nullptr);
    EXPECT_EQ(CZeltorLimitData().FindFailedStandards(measurement(QStringLiteral("INPF"), 1200.0f), context), nullptr);
}

TEST_F(ZeltorLimitDataTest, AUnitChangedOnTheLimitPageChangesTheParameterAndEveryLimitOfIt)
{
    const auto first = limits->CreateStandard(QStringLiteral("ISO"), QStringLiteral("A"));
    const auto second = limits->CreateStandard(QStringLiteral("EN"), QStringLiteral("B"));
    setUpperBound(*second, QStringLiteral("INPF"), 30.0f);
    definition(QStringLiteral("BRRA"))->setSelected(false);

    const auto edited = limitOf(*first, QStringLiteral("INPF"));
    edited->setUnit(QStringLiteral("l/sec"));
    limits->LimitChanged(edited);
    EXPECT_EQ(definition(QStringLiteral("INPF"))->DisplayUnit(), eunFlow_LpSec);
    EXPECT_EQ(limitOf(*second, QStringLiteral("INPF"))->Unit(), QStringLiteral("l/sec"));
    EXPECT_FLOAT_EQ(upperBound(*second, QStringLiteral("INPF")), 0.5f); // same bound, new unit
    EXPECT_FALSE(limitNames(*first).contains(QStringLiteral("BRRA")));  // the standards were brought in line

    // A unit the parameter cannot be shown in is put back.
    edited->setUnit(QStringLiteral("mBar"));
    limits->LimitChanged(edited);
    EXPECT_EQ(edited->Unit(), QStringLiteral("l/sec"));
    EXPECT_EQ(definition(QStringLiteral("INPF"))->DisplayUnit(), eunFlow_LpSec);
    EXPECT_EQ(limitOf(*second, QStringLiteral("INPF"))->Unit(), QStringLiteral("l/sec"));
}

TEST_F(ZeltorLimitDataTest, ClonesAndCopiesHoldTheirOwnStandards)
{
    const auto standard = limits->CreateStandard(QStringLiteral("ISO"), QStringLiteral("A"));
    setUpperBound(*standard, QStringLiteral("INPF"), 30.0f);

    const auto clone = std::dynamic_pointer_cast<CZeltorLimitData>(limits->Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->Owner(), nullptr);
    ASSERT_NE(clone->Standards(), nullptr);
    const auto cloned = clone->Standards()->Item(0, QStringLiteral("ISO"), QStringLiteral("A"));
    ASSERT_NE(cloned, nullptr);
    EXPECT_NE(cloned, standard);
    EXPECT_EQ(limitNames(*cloned), templateLimits);
    setUpperBound(*cloned, QStringLiteral("INPF"), 60.0f);
    EXPECT_FLOAT_EQ(upperBound(*standard, QStringLiteral("INPF")), 30.0f);

    CZeltorLimitData copy;
    copy.CopyStandardsFrom(limits);
    ASSERT_NE(copy.Standards(), nullptr);
    EXPECT_NE(copy.Standards(), limits->Standards());
    EXPECT_EQ(copy.Standards()->Count(), 1);
    copy.CopyStandardsFrom(nullptr);
    EXPECT_NE(copy.Standards(), nullptr);
    copy.CopyStandardsFrom(std::make_shared<CZeltorLimitData>());
    EXPECT_EQ(copy.Standards(), nullptr);
}

TEST_F(ZeltorLimitDataTest, EndingTheLimitDataClearsItsStandards)
{
    limits->CreateStandard(QStringLiteral("ISO"), QStringLiteral("A"));
    const auto standards = limits->Standards();
    limits.reset();
    EXPECT_EQ(standards->Count(), 0);
}

TEST_F(ZeltorLimitDataTest, HostFacingMembers)
{
    limits->setDescription(QStringLiteral("ignored"));
    EXPECT_EQ(limits->Description(), QString());
    EXPECT_TRUE(limits->HasDialog());
    EXPECT_EQ(limits->Owner(), owner);
    CZeltorLimitData unowned;
    EXPECT_EQ(caughtError([&] { unowned.CreateStandard(QStringLiteral("ISO"), QString()); }).number(),
              com::errObjectNotSet);
}

TEST_F(ZeltorLimitDataTest, PrintReportHandsTheStandardsTheRunsContextAndEveryParameterOfTheList)
{
    const auto report = std::make_shared<RecordingReport>();
    const auto sequence = std::make_shared<host::TestSequence>();
    limits->PrintReport(report, sequence);
    EXPECT_TRUE(report->calls.isEmpty()); // no standards

    const auto iso = limits->CreateStandard(QStringLiteral("ISO"), QStringLiteral("A"));
    setUpperBound(*iso, QStringLiteral("INPF"), 30.0f);
    limits->CreateStandard(QStringLiteral("EN"), QString());
    const auto context = com::ClassRegistry::instance().createAs<Nelvar::IStandards>(
        QString::fromLatin1(Nelvar::kStandardsProgId));
    const auto judgedBy = com::ClassRegistry::instance().createAs<Nelvar::IStandard>(
        QString::fromLatin1(Nelvar::kStandardProgId));
    judgedBy->Initialize(QStringLiteral("ISO"), QStringLiteral("A"), 1);
    context->Add(judgedBy);
    sequence->setLimitContext(context);
    limits->PrintReport(report, sequence);
    // Only the context's standard prints, its limits in the order of the parameter list, with
    // the translated captions and the parameters' value formats.
    const QStringList tables = report->callsStartingWith({"PrintTable("});
    ASSERT_EQ(tables.size(), 1);
    EXPECT_TRUE(tables[0].contains(QStringLiteral("Expected results: ISO (A)"))) << tables[0].toStdString();
    EXPECT_TRUE(tables[0].contains(QStringLiteral("|Breath rate|-|-|BPM;|Tidal volume|-|-|l;|Inspiratory peak flow|-|30.00|l/min;")))
        << tables[0].toStdString();

    // Without a run context every standard prints.
    report->restart();
    limits->PrintReport(report, nullptr);
    EXPECT_EQ(report->callsStartingWith({"PrintTable("}).size(), 2);
}


// The limit page is the host's: one row per limit, filled again when the selection changes, and a
// unit edited on it reaches the parameter, until the host unloads it.
TEST_F(ZeltorLimitDataTest, TheLimitPageFollowsTheSelectionAndPassesUnitEditsOn)
{
    const auto standard = limits->CreateStandard(QStringLiteral("ISO"), QStringLiteral("A"));
    const auto dialog = limits->CreateDialog();
    ASSERT_TRUE(dialog);
    int changes = 0;
    const auto callBack = std::make_shared<host::HostCallBack>([&](const QString&, const auto&) { ++changes; });
    dialog->setCallBack(callBack);
    QWidget hostWindow;
    dialog->Dock(&hostWindow);
    // The rows of the table the page shows (a table it replaced stays hidden for a while). The
    // table is no QObject class of its own, so it is told apart by its C++ type.
    const auto rows = [&] {
        for (const QWidget* widget : hostWindow.findChildren<QWidget*>())
            if (const auto* table = dynamic_cast<const host::LimitTable*>(widget); table && !table->isHidden())
                return table->rowCount();
        return -1;
    };
    EXPECT_EQ(rows(), static_cast<int>(templateLimits.size()));

    definition(QStringLiteral("BRRA"))->setSelected(false);
    limits->SyncStandards();
    EXPECT_EQ(rows(), static_cast<int>(templateLimits.size()) - 1);

    // The page tells of an edited limit through the host's callback; the form passes it on.
    const auto edited = limitOf(*standard, QStringLiteral("INPF"));
    edited->setUnit(QStringLiteral("l/sec"));
    callBack->RaiseEvent(QStringLiteral("Change"), {com::Value(std::static_pointer_cast<Nelvar::ILimit>(edited))});
    EXPECT_EQ(definition(QStringLiteral("INPF"))->DisplayUnit(), eunFlow_LpSec);
    EXPECT_EQ(changes, 1);
    // Other notifications, and a "Change" without a limit, change nothing.
    callBack->RaiseEvent(QStringLiteral("Change"), {});
    callBack->RaiseEvent(QStringLiteral("Other"), {com::Value(std::static_pointer_cast<Nelvar::ILimit>(edited))});
    EXPECT_EQ(definition(QStringLiteral("INPF"))->DisplayUnit(), eunFlow_LpSec);

    dialog->Unload();
    EXPECT_EQ(rows(), -1) << "the page went back to its form";
    definition(QStringLiteral("BRRA"))->setSelected(true);
    limits->SyncStandards(); // no page to fill any more
    EXPECT_TRUE(limitNames(*standard).contains(QStringLiteral("BRRA")));
}

TEST_F(ZeltorLimitDataTest, WithoutTheHostsLimitPageThereIsNoDialog)
{
    com::ClassRegistry::instance().remove(QString::fromLatin1(Nelvar::kLimitViewProgId));
    EXPECT_EQ(limits->CreateDialog(), nullptr);
}
