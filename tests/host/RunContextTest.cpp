#include "CaughtError.h"
#include "CompactXml.h"
#include "InertTestElement.h"

#include "instruments/InstrumentInfo.h"
#include "instruments/InstrumentList.h"
#include "standards/StandardsCollection.h"
#include "testmodel/Progress.h"
#include "testmodel/ServiceRecord.h"
#include "testmodel/TestFilter.h"
#include "testmodel/TestGuideConfig.h"
#include "testmodel/TestSequence.h"
#include "xml/XmlService.h"

#include "Xml.h"

#include "com/Error.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

std::shared_ptr<Nelvar::IXmlDocument> newDocument()
{
    return host::XmlService().CreateDocument();
}

std::shared_ptr<Nelvar::IXmlElement> rootOf(const QString& text)
{
    const auto document = newDocument();
    document->LoadXml(text);
    return document->DocumentElement();
}

// The document text of one saved element.
QString textOf(const std::shared_ptr<Nelvar::IXmlDocument>& document,
               const std::shared_ptr<Nelvar::IXmlElement>& element)
{
    document->setDocumentElement(element);
    return document->Xml();
}

TEST(RunContextTest, SequenceAnswersAsSetAndRecordsNavigationAndReadyResults)
{
    host::TestSequence sequence;
    const auto element = std::make_shared<InertTestElement>();
    bool allowed = false;
    sequence.QueryPerform(element, allowed);
    EXPECT_TRUE(allowed);
    sequence.setPerformAllowed(false);
    sequence.QueryPerform(element, allowed);
    EXPECT_FALSE(allowed);

    for (const int32_t code : {3, 0, 2, 1})
        sequence.Navigate(code);
    EXPECT_EQ(sequence.Navigations(),
              (std::vector{Nelvar::enavSkip, Nelvar::enavNext, Nelvar::enavAbort, Nelvar::enavPrevious}));
    EXPECT_EQ(caughtError([&] { sequence.Navigate(4); }).number(), com::errInvalidCall);
    EXPECT_EQ(caughtError([&] { sequence.Navigate(-1); }).number(), com::errInvalidCall);
    EXPECT_EQ(sequence.Navigations().size(), 4u);

    const auto other = std::make_shared<InertTestElement>();
    sequence.ResultReady(element);
    sequence.ResultReady(other);
    EXPECT_EQ(sequence.ReadyElements(), (std::vector<std::shared_ptr<Nelvar::ITestElement>>{element, other}));
    EXPECT_EQ(caughtError([&] { sequence.ResultReady(nullptr); }).number(), com::errObjectNotSet);

    EXPECT_EQ(sequence.LimitContext(), nullptr);
    EXPECT_EQ(sequence.Instruments(), nullptr);
    const auto context = std::make_shared<host::Standards>();
    const auto instruments = std::make_shared<host::Instruments>();
    sequence.setLimitContext(context);
    sequence.setInstruments(instruments);
    EXPECT_EQ(sequence.LimitContext(), context);
    EXPECT_EQ(sequence.Instruments(), instruments);
}

TEST(RunContextTest, InstrumentsAreListedFromPositionOneInTheOrderAdded)
{
    host::Instruments instruments;
    const auto first = std::make_shared<host::InstrumentInfo>();
    const auto second = std::make_shared<host::InstrumentInfo>();
    instruments.Add(first);
    instruments.Add(second);
    ASSERT_EQ(instruments.Count(), 2);
    EXPECT_EQ(instruments.Item(1), first);
    EXPECT_EQ(instruments.Item(2), second);
    EXPECT_EQ(caughtError([&] { instruments.Item(0); }).number(), com::errSubscript);
    EXPECT_EQ(caughtError([&] { instruments.Item(3); }).number(), com::errSubscript);
    EXPECT_EQ(caughtError([&] { instruments.Add(nullptr); }).number(), com::errObjectNotSet);
    EXPECT_EQ(instruments.Count(), 2);
}

TEST(RunContextTest, ProgressRecordsTasksWithHandlesFromOne)
{
    host::Progress progress;
    int32_t first = 0;
    int32_t second = 0;
    progress.BeginTask(QStringLiteral("Zeltor"), QStringLiteral("20311::Loading ventilator test result data"), first);
    progress.BeginTask(QStringLiteral("Zeltor"), QStringLiteral("20312::Loading test result data"), second);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    progress.EndTask(second);

    const auto& tasks = progress.Tasks();
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].product, QStringLiteral("Zeltor"));
    EXPECT_EQ(tasks[0].textKey, QStringLiteral("20311::Loading ventilator test result data"));
    EXPECT_FALSE(tasks[0].ended);
    EXPECT_EQ(tasks[1].handle, 2);
    EXPECT_TRUE(tasks[1].ended);
    for (const int32_t handle : {0, 2, 3})
        EXPECT_EQ(caughtError([&] { progress.EndTask(handle); }).number(), com::errInvalidCall) << handle;
}

TEST(RunContextTest, ServiceRecordSavesAndLoadsItsFlagsAndTexts)
{
    const auto filter = std::make_shared<host::TestFilter>();
    filter->setFlags(5);
    host::ServiceRecord record;
    record.Initialize(filter, QStringLiteral("F"), QStringLiteral("/12.5/300 & \"more\"\nsecond line"));
    EXPECT_EQ(record.FilterFlags(), 5);

    const auto document = newDocument();
    const QString saved = textOf(document, record.Save(document));
    EXPECT_EQ(compactXml(saved),
              QStringLiteral("<ServiceRecord Filter=\"5\" Status=\"F\" "
                             "Values=\"/12.5/300 &amp; &quot;more&quot;&#10;second line\" />"));

    host::ServiceRecord loaded;
    loaded.Load(rootOf(saved), nullptr);
    EXPECT_EQ(loaded.FilterFlags(), 5);
    EXPECT_EQ(loaded.StatusText(), QStringLiteral("F"));
    EXPECT_EQ(loaded.ValuesText(), QStringLiteral("/12.5/300 & \"more\"\nsecond line"));
    const auto again = newDocument();
    EXPECT_EQ(textOf(again, loaded.Save(again)), saved);

    EXPECT_EQ(caughtError([&] { record.Initialize(nullptr, {}, {}); }).number(), com::errObjectNotSet);
    EXPECT_EQ(caughtError([&] { loaded.Load(rootOf(QStringLiteral("<Service Filter='1' Status='X'/>")), nullptr); })
                  .number(),
              com::errInvalidCall);
    EXPECT_EQ(caughtError([&] {
                  loaded.Load(rootOf(QStringLiteral("<ServiceRecord Filter='one' Status='X'/>")), nullptr);
              }).number(),
              com::errTypeMismatch);
    EXPECT_EQ(loaded.StatusText(), QStringLiteral("F"));
    EXPECT_EQ(loaded.FilterFlags(), 5);
}

TEST(RunContextTest, ServiceRecordKeepsTheRunThatHandedTheResultOver)
{
    const auto filter = std::make_shared<host::TestFilter>();
    host::ServiceRecord record;
    record.Initialize(filter, QString(), QStringLiteral("/15.00"));
    host::InstrumentInfo instrument;
    instrument.SetIdentity(QStringLiteral("Zeltor VT"), QStringLiteral("ZT-7"), QStringLiteral("3.02"));
    record.recordRun(QDateTime(QDate(2026, 3, 4), QTime(9, 15, 0, 500)), &instrument);

    const auto document = newDocument();
    const QString saved = textOf(document, record.Save(document));
    EXPECT_EQ(compactXml(saved),
              QStringLiteral("<ServiceRecord Filter=\"0\" Status=\"\" Values=\"/15.00\" "
                             "Date=\"2026-03-04T09:15:00\" SerialNo=\"ZT-7\" FWVersion=\"3.02\" />"));
    host::ServiceRecord loaded;
    loaded.Load(rootOf(saved), nullptr);
    EXPECT_EQ(loaded.RunDate(), QDateTime(QDate(2026, 3, 4), QTime(9, 15)));
    EXPECT_EQ(loaded.SerialNo(), QStringLiteral("ZT-7"));
    EXPECT_EQ(loaded.FWVersion(), QStringLiteral("3.02"));

    EXPECT_EQ(
        caughtError([&] { loaded.Load(rootOf(QStringLiteral("<ServiceRecord Date='4 March'/>")), nullptr); }).number(),
        com::errTypeMismatch);
    EXPECT_EQ(loaded.SerialNo(), QStringLiteral("ZT-7"));
    // A record of a run whose instrument was not known, and one saved before runs were recorded.
    record.recordRun(QDateTime(QDate(2026, 3, 4), QTime(9, 15)), nullptr);
    const auto again = newDocument();
    EXPECT_FALSE(textOf(again, record.Save(again)).contains(QStringLiteral("SerialNo")));
    loaded.Load(rootOf(QStringLiteral("<ServiceRecord Filter='1'/>")), nullptr);
    EXPECT_FALSE(loaded.RunDate().isValid());
    EXPECT_EQ(loaded.FWVersion(), QString());
}

TEST(RunContextTest, TestGuideConfigClonesIndependentlyAndRoundTripsItsFlags)
{
    host::TestGuideConfig config;
    config.setFlags(Nelvar::ITestGuideConfig::etgAllowSkip | Nelvar::ITestGuideConfig::etgAllowNotApplicable);
    const auto clone = std::dynamic_pointer_cast<host::TestGuideConfig>(config.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->Flags(), 3);
    clone->setFlags(0);
    EXPECT_EQ(config.Flags(), 3);

    const auto document = newDocument();
    const QString saved = textOf(document, config.Save(document));
    EXPECT_EQ(compactXml(saved), QStringLiteral("<TestGuideSettings Flags=\"3\" />"));
    clone->Load(rootOf(saved), nullptr);
    EXPECT_EQ(clone->Flags(), 3);

    clone->setFlags(1);
    EXPECT_EQ(caughtError([&] { clone->Load(rootOf(QStringLiteral("<TestGuide Flags='2'/>")), nullptr); }).number(),
              com::errInvalidCall);
    EXPECT_EQ(caughtError([&] {
                  clone->Load(rootOf(QStringLiteral("<TestGuideSettings Flags='all'/>")), nullptr);
              }).number(),
              com::errTypeMismatch);
    EXPECT_EQ(clone->Flags(), 1);
    EXPECT_EQ(caughtError([&] { clone->Save(nullptr); }).number(), com::errObjectNotSet);
}

} // namespace
