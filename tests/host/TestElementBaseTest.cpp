#include "CaughtError.h"
#include "CompactXml.h"
#include "InertTestElement.h"
#include "RecordingParts.h"
#include "RecordingReport.h"

#include "instruments/InstrumentInfo.h"
#include "testmodel/ServiceRecord.h"
#include "testmodel/TestElementBase.h"
#include "testmodel/TestFilter.h"
#include "testmodel/TestInfo.h"
#include "testmodel/TestSequence.h"
#include "xml/XmlService.h"

#include "Xml.h"

#include "com/Error.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

const QString kSaved = QStringLiteral(
    "<TestElement PlugIn=\"Zeltor\" TestID=\"100\" ID=\"7\" Filter=\"1\">"
    "<PlugInData Content=\"config A\" /><ExpectedResult Content=\"limits A\" /><ResultItem Content=\"result A\" />"
    "</TestElement>");

std::shared_ptr<Nelvar::IXmlElement> rootOf(const QString& text)
{
    const auto document = host::XmlService().CreateDocument();
    document->LoadXml(text);
    return document->DocumentElement();
}

int32_t filterFlagsOf(const Nelvar::ITestElementBase& base)
{
    return base.Filter()->Flags();
}

class TestElementBaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        base.Initialize(QStringLiteral("Zeltor"), 100, 0);
        base.setID(7);
        base.Info()->SetType(QStringLiteral("20011::Ventilator test"), QString());
        std::dynamic_pointer_cast<host::TestFilter>(base.Filter())->setFlags(1);
        base.setConfiguration(config);
        base.setLimits(limits);
    }

    QString saved(int32_t flag = 0)
    {
        const auto document = host::XmlService().CreateDocument();
        document->setDocumentElement(base.Save(document, flag));
        return compactXml(document->Xml());
    }

    host::TestElementBase base;
    std::shared_ptr<RecordingConfig> config = std::make_shared<RecordingConfig>(QStringLiteral("config A"));
    std::shared_ptr<RecordingLimits> limits = std::make_shared<RecordingLimits>(QStringLiteral("limits A"));
    std::shared_ptr<RecordingResult> result = std::make_shared<RecordingResult>(QStringLiteral("result A"));
};

TEST_F(TestElementBaseTest, KeepsItsValuesAndHandsBackTheVeryObjectsLastSet)
{
    EXPECT_EQ(base.PlugInID(), QStringLiteral("Zeltor"));
    EXPECT_EQ(base.TestID(), 100);
    EXPECT_EQ(base.ID(), 7);
    EXPECT_EQ(base.Configuration(), config);
    EXPECT_EQ(base.Limits(), limits);
    EXPECT_EQ(base.Result(), nullptr);
    base.setResult(result);
    EXPECT_EQ(base.Result(), result);
    base.setResult(nullptr);
    EXPECT_EQ(base.Result(), nullptr);

    const auto info = std::dynamic_pointer_cast<host::TestInfo>(base.Info());
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->TypeName(), QStringLiteral("20011::Ventilator test"));
    EXPECT_EQ(info->TypeText(), QString());
    EXPECT_EQ(filterFlagsOf(base), 1);

    // The parent owns the element, not the other way round.
    auto parent = std::make_shared<InertTestElement>();
    base.setParent(parent);
    EXPECT_EQ(base.Parent(), parent);
    parent.reset();
    EXPECT_EQ(base.Parent(), nullptr);
}

TEST_F(TestElementBaseTest, TerminateReleasesWhatItHolds)
{
    base.setResult(result);
    const std::weak_ptr<RecordingConfig> heldConfig = config;
    const std::weak_ptr<RecordingLimits> heldLimits = limits;
    const std::weak_ptr<RecordingResult> heldResult = result;
    config.reset();
    limits.reset();
    result.reset();
    ASSERT_FALSE(heldConfig.expired());
    base.Terminate();
    EXPECT_TRUE(heldConfig.expired());
    EXPECT_TRUE(heldLimits.expired());
    EXPECT_TRUE(heldResult.expired());
    EXPECT_EQ(base.Configuration(), nullptr);
}

TEST_F(TestElementBaseTest, CloneKeepsTheValuesAndClonesConfigurationAndLimits)
{
    base.setResult(result);
    const auto parent = std::make_shared<InertTestElement>();
    base.setParent(parent);
    base.Info()->setName(QStringLiteral("Ventilator test"));
    base.Info()->setDescription(QStringLiteral("Runs the ventilator"));

    const auto clone = std::dynamic_pointer_cast<host::TestElementBase>(base.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->PlugInID(), QStringLiteral("Zeltor"));
    EXPECT_EQ(clone->TestID(), 100);
    EXPECT_EQ(clone->ID(), 7);
    const auto clonedInfo = std::dynamic_pointer_cast<host::TestInfo>(clone->Info());
    EXPECT_NE(clonedInfo, base.Info());
    EXPECT_EQ(clonedInfo->TypeName(), QStringLiteral("20011::Ventilator test"));
    EXPECT_EQ(clonedInfo->Name(), QStringLiteral("Ventilator test"));
    EXPECT_EQ(clonedInfo->Description(), QStringLiteral("Runs the ventilator"));
    EXPECT_EQ(filterFlagsOf(*clone), 1);
    const auto clonedConfig = std::dynamic_pointer_cast<RecordingConfig>(clone->Configuration());
    const auto clonedLimits = std::dynamic_pointer_cast<RecordingLimits>(clone->Limits());
    ASSERT_NE(clonedConfig, nullptr);
    ASSERT_NE(clonedLimits, nullptr);
    EXPECT_NE(clonedConfig, config);
    EXPECT_NE(clonedLimits, limits);
    EXPECT_EQ(clonedConfig->record.content, QStringLiteral("config A"));
    EXPECT_EQ(clonedLimits->record.content, QStringLiteral("limits A"));
    EXPECT_EQ(clone->Result(), nullptr);
    EXPECT_EQ(clone->Parent(), nullptr);

    std::dynamic_pointer_cast<host::TestFilter>(clone->Filter())->setFlags(0);
    clone->setID(8);
    EXPECT_EQ(filterFlagsOf(base), 1);
    EXPECT_EQ(base.ID(), 7);

    config->givesCopies = false;
    EXPECT_EQ(caughtError([&] { base.Clone(); }).number(), com::errObjectNotSet);
}

TEST_F(TestElementBaseTest, SaveWritesTheElementWithThePartsItHolds)
{
    const QString withoutResult = QString(kSaved).remove(QStringLiteral("<ResultItem Content=\"result A\" />"));
    EXPECT_EQ(saved(), withoutResult);
    base.setResult(result);
    EXPECT_EQ(saved(1), kSaved);
    EXPECT_EQ(caughtError([&] { base.Save(nullptr, 0); }).number(), com::errObjectNotSet);
}

TEST_F(TestElementBaseTest, LoadOfATestElementFillsEachPartFromItsChild)
{
    host::TestElementBase loaded;
    loaded.Initialize(QStringLiteral("Zeltor"), 100, 0);
    const auto freshConfig = std::make_shared<RecordingConfig>(QString());
    const auto freshLimits = std::make_shared<RecordingLimits>(QString());
    const auto freshResult = std::make_shared<RecordingResult>(QString());
    loaded.setConfiguration(freshConfig);
    loaded.setLimits(freshLimits);
    loaded.setResult(freshResult);
    const auto owner = std::make_shared<InertTestElement>();

    loaded.Load(rootOf(kSaved), owner);
    EXPECT_EQ(freshConfig->record.loads, QStringList{QStringLiteral("PlugInData:config A")});
    EXPECT_EQ(freshLimits->record.loads, QStringList{QStringLiteral("ExpectedResult:limits A")});
    EXPECT_EQ(freshResult->record.loads, QStringList{QStringLiteral("ResultItem:result A")});
    EXPECT_EQ(freshConfig->record.loadOwner, owner);
    EXPECT_EQ(freshLimits->record.loadOwner, owner);
    EXPECT_FALSE(freshResult->record.loadGotProgress);
    EXPECT_EQ(loaded.ID(), 7);
    EXPECT_EQ(filterFlagsOf(loaded), 1);
    EXPECT_EQ(loaded.Configuration(), freshConfig);

    // Without a result held, the saved result is left for the caller.
    loaded.setResult(nullptr);
    loaded.Load(rootOf(kSaved), owner);
    EXPECT_EQ(freshConfig->record.loads.size(), 2);
    EXPECT_EQ(freshResult->record.loads.size(), 1);
}

TEST_F(TestElementBaseTest, LoadOfAResultItemGoesIntoTheResultLastSet)
{
    base.setResult(result);
    base.Load(rootOf(QStringLiteral("<ResultItem Content='saved'><Status Value='1'/></ResultItem>")), nullptr);
    EXPECT_EQ(result->record.loads, QStringList{QStringLiteral("ResultItem:saved")});
    EXPECT_FALSE(result->record.loadGotProgress);
    EXPECT_TRUE(config->record.loads.isEmpty());
    EXPECT_TRUE(limits->record.loads.isEmpty());
}

TEST_F(TestElementBaseTest, LoadRaisesForAnElementItCannotTakeAndChangesNothing)
{
    struct Case {
        const char* text;
        int32_t number;
    };
    const Case cases[] = {
        {"<TestElement PlugIn='Zeltor' TestID='200' ID='1'><PlugInData/></TestElement>", com::errInvalidCall},
        {"<TestElement PlugIn='Other' TestID='100' ID='1'><PlugInData/></TestElement>", com::errInvalidCall},
        {"<TestElement PlugIn='Zeltor' TestID='100' ID='one'><PlugInData/></TestElement>", com::errTypeMismatch},
        {"<PlugInData Content='alone'/>", com::errInvalidCall},
        {"<ResultItem Content='no result held'/>", com::errObjectNotSet},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(caughtError([&] { base.Load(rootOf(QString::fromLatin1(c.text)), nullptr); }).number(), c.number)
            << c.text;
        EXPECT_TRUE(config->record.loads.isEmpty()) << c.text;
        EXPECT_EQ(base.ID(), 7);
    }
    EXPECT_EQ(caughtError([&] { base.Load(nullptr, nullptr); }).number(), com::errObjectNotSet);
}

TEST_F(TestElementBaseTest, PrintReportHeadsTheElementThenPrintsConfigurationLimitsAndResult)
{
    base.setResult(result);
    const auto report = std::make_shared<RecordingReport>();
    const auto sequence = std::make_shared<host::TestSequence>();
    base.PrintReport(report, sequence);
    // A result that has no status, comment or service record: its run is known only as not passed.
    EXPECT_EQ(report->callsStartingWith({"PrintText(", "CurrentY"}),
              (QStringList{"PrintText(Ventilator test,1000,1000,10000,0,1,0,1)", "CurrentY=1140",
                           "PrintText(Not passed,1000,1140,10000,100,0,0,0)", "CurrentY=1240",
                           "PrintText(Date and time: not recorded,1000,1240,10000,100,0,0,0)", "CurrentY=1340",
                           "PrintText(Instrument: not recorded,1000,1340,10000,100,0,0,0)", "CurrentY=1440",
                           "CurrentY=1580", "PrintText(PlugInData,0,0,0,0,0,0,0)",
                           "PrintText(ExpectedResult,0,0,0,0,0,0,0)", "PrintText(ResultItem,0,0,0,0,0,0,0)"}));
    EXPECT_EQ(report->calls.mid(0, 5),
              (QStringList{"TextAlignment=0", "Font.Name=Arial", "Font.Size=12", "Font.Bold=1", "Font.Italic=0"}));
    EXPECT_EQ(limits->record.printSequence, sequence);
    EXPECT_EQ(result->record.printSequence, sequence);

    // The name the host lists the element by heads it when there is one; without a result
    // nothing follows the expected results.
    base.Info()->setName(QStringLiteral("Night check"));
    base.setResult(nullptr);
    report->restart();
    base.PrintReport(report, nullptr);
    EXPECT_EQ(report->callsStartingWith({"PrintText("}),
              (QStringList{"PrintText(Night check,1000,1000,10000,0,1,0,1)", "PrintText(PlugInData,0,0,0,0,0,0,0)",
                           "PrintText(ExpectedResult,0,0,0,0,0,0,0)"}));
    base.PrintReport(nullptr, sequence);
}

// Below the heading: how the run ended, the comment unless the verdict shows it, when the run
// handed its result over and the instrument, as far as the result's service record knows them.
TEST_F(TestElementBaseTest, PrintReportSaysHowTheRunEndedWhenAndOnWhichInstrument)
{
    const QString cutOff
        = QStringLiteral("It appears that the Zeltor unit has stopped streaming results. Test aborted. "
                         "Time Elapsed: 00:00:02");
    host::InstrumentInfo instrument;
    instrument.SetIdentity(QStringLiteral("Zeltor VT"), QStringLiteral("ZT-7"), QStringLiteral("3.02"));
    host::InstrumentInfo serialOnly;
    serialOnly.SetIdentity(QStringLiteral("Zeltor VT"), QStringLiteral("ZT-7"), QString());
    const QDateTime handedOver(QDate(2026, 3, 4), QTime(9, 15, 0, 500));
    const struct {
        const char* name;
        int32_t status;
        QString comment;
        const host::InstrumentInfo* instrument;
        QStringList lines;
    } cases[] = {
        {"passed",
         1,
         QString(),
         &instrument,
         {"Passed", "Date and time: 2026-03-04 09:15:00", "Instrument: serial number ZT-7, firmware 3.02"}},
        {"passed with a comment",
         1,
         QStringLiteral("Lung B"),
         &serialOnly,
         {"Passed", "Comment: Lung B", "Date and time: 2026-03-04 09:15:00", "Instrument: serial number ZT-7"}},
        {"cut off",
         2,
         cutOff,
         nullptr,
         {QStringLiteral("Not passed: ") + cutOff, "Date and time: 2026-03-04 09:15:00", "Instrument: not recorded"}},
        {"not applicable",
         3,
         QString(),
         &instrument,
         {"Not applicable", "Date and time: 2026-03-04 09:15:00", "Instrument: serial number ZT-7, firmware 3.02"}},
        // 200 characters fill a line of the recording report's page.
        {"a comment longer than a line",
         0,
         QString(120, QLatin1Char('x')) + QLatin1Char(' ') + QString(120, QLatin1Char('y')),
         nullptr,
         {"Not passed: " + QString(120, QLatin1Char('x')), QString(120, QLatin1Char('y')),
          "Date and time: 2026-03-04 09:15:00", "Instrument: not recorded"}},
    };
    const auto report = std::make_shared<RecordingReport>();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        result->status = c.status;
        result->comment = c.comment;
        const auto record = std::make_shared<host::ServiceRecord>();
        record->recordRun(handedOver, c.instrument);
        result->serviceRecord = record;
        base.setResult(result);
        report->restart();
        base.PrintReport(report, nullptr);
        QStringList printed;
        for (const QString& call : report->callsStartingWith({"PrintText("}))
            printed << call.mid(10).section(QLatin1Char(','), 0, -8);
        EXPECT_EQ(printed.mid(1, c.lines.size()), c.lines);
        EXPECT_EQ(printed.value(1 + c.lines.size()), QStringLiteral("PlugInData"));
    }
}

} // namespace
