#include "data/DataErrors.h"

#include "CaughtError.h"
#include "DocumentWithoutElements.h"
#include "RecordingPipeline.h"
#include "TrendFixture.h"

#include "EUnit.h"

#include <limits>
#include <vector>

using namespace ZeltorTests;

class TrendTest : public TrendFixture {
protected:
    // The measurements of a calculation set after one interval of breaths.
    std::vector<std::shared_ptr<CMeasurement>> interval(float rate, float volume) const
    {
        return {measurement(QStringLiteral("BRRA"), {rate, rate + 2.0f, rate + 1.0f}),
                measurement(QStringLiteral("OXLE"), {21.0f}), // deselected: the trend has no parameter for it
                nullptr,
                measurement(QStringLiteral("TIVO"), {volume}),
                measurement(QStringLiteral("INPF"), {})};
    }
};

TEST_F(TrendTest, ParametersAreTheSelectedBreathParametersInListOrder)
{
    const auto trend = newTrend(QStringLiteral("Night"));
    EXPECT_EQ(trend->Key(), QStringLiteral("Night"));
    EXPECT_EQ(parameterKeys(*trend), (QStringList{"BRRA", "TIVO", "INPF", "ATPR"}));
    EXPECT_EQ(trend->Parameter(2)->Key(), QStringLiteral("TIVO"));
    EXPECT_EQ(trend->Parameter(QStringLiteral("ATPR"))->Parent(), trend);
    // The definitions are the list's own: a unit chosen later applies to the trend too.
    EXPECT_EQ(trend->Parameter(QStringLiteral("INPF"))->Unit(), QStringLiteral("ml/sec"));
    parameters.Item(QStringLiteral("INPF"))->setDisplayUnit(ZeltorConverter::eunFlow_LpMin);
    EXPECT_EQ(trend->Parameter(QStringLiteral("INPF"))->Unit(), QStringLiteral("l/min"));
    EXPECT_EQ(caughtError([&] { trend->Parameter(QStringLiteral("OXLE")); }).number(), com::errSubscript);
    EXPECT_EQ(caughtError([&] { trend->Parameter(QStringLiteral("FLOW")); }).number(), com::errSubscript);
    EXPECT_EQ(caughtError([&] { trend->Parameter(5); }).number(), com::errSubscript);

    EXPECT_FALSE(trend->Active());
    EXPECT_EQ(trend->Interval(), 0);
    EXPECT_EQ(trend->StartTime(), 0);
    EXPECT_EQ(trend->SampleCount(), 0);
    EXPECT_FALSE(trend->BPMHasChanged());
}

TEST_F(TrendTest, AddSampleGivesEveryParameterItsPairAndNotifiesBeforeReturning)
{
    const auto trend = newTrend();
    std::vector<int32_t> countsSeen;
    trend->setAddSampleListener([&] { countsSeen.push_back(trend->SampleCount()); });
    const auto pipeline = std::make_shared<RecordingPipeline>();
    trend->Parameter(QStringLiteral("BRRA"))->HookPipeline(pipeline);
    pipeline->calls.clear();

    // The trend is not started: whether to sample is the caller's decision.
    trend->AddSample(interval(12.0f, 0.5f));
    EXPECT_EQ(countsSeen, std::vector<int32_t>{1});
    EXPECT_EQ(pipeline->calls, QStringList{"DrawValue(12, 14)"});
    trend->AddSample(interval(10.0f, 0.4f));
    EXPECT_EQ(countsSeen, (std::vector<int32_t>{1, 2}));

    const auto& rate = *trend->Parameter(QStringLiteral("BRRA"));
    EXPECT_EQ(rate.Values(0, false), (std::vector<float>{12.0f, 10.0f}));
    EXPECT_EQ(rate.Values(2, false), (std::vector<float>{14.0f, 12.0f}));
    EXPECT_EQ(trend->Parameter(QStringLiteral("TIVO"))->Values(0, false), (std::vector<float>{0.5f, 0.4f}));
    EXPECT_EQ(trend->Parameter(QStringLiteral("INPF"))->Values(2, false), (std::vector<float>{0.0f, 0.0f}));
    EXPECT_EQ(trend->Parameter(QStringLiteral("ATPR"))->SampleCount(), 0); // no measurement of it

    // A failing listener does not undo the sample.
    trend->setAddSampleListener([] { throw com::Error::invalidCall(); });
    trend->AddSample(std::vector<std::shared_ptr<CMeasurement>>{});
    EXPECT_EQ(trend->SampleCount(), 3);
}

TEST_F(TrendTest, StartStopAndTheTimesOfTheSamples)
{
    const auto trend = newTrend();
    trend->Initialize(QStringLiteral("Night"), 15, 120);
    EXPECT_EQ(trend->Title(), QStringLiteral("Night"));
    EXPECT_EQ(trend->EndTime(), 120);
    for (int i = 0; i < 4; ++i)
        trend->AddSample(interval(12.0f, 0.5f));
    EXPECT_EQ(trend->EndTime(), 180);
    trend->setStartTime(300);
    EXPECT_EQ(trend->EndTime(), 360);

    trend->Start();
    trend->Start();
    EXPECT_TRUE(trend->Active());
    trend->Stop();
    EXPECT_FALSE(trend->Active());
    trend->Start();
    EXPECT_TRUE(trend->Active());
    EXPECT_EQ(trend->SampleCount(), 4); // starting and stopping change only the flag

    trend->Initialize(QStringLiteral("Night"), std::numeric_limits<int32_t>::max() / 3, 0);
    EXPECT_EQ(caughtError([&] { trend->EndTime(); }).number(), com::errOverflow);
}

TEST_F(TrendTest, TitlesAndParentMembers)
{
    const auto trend = newTrend();
    EXPECT_EQ(trend->DisplayTitle(), QStringLiteral("[Trend: ]"));
    trend->setTitle(QStringLiteral("Night"));
    trend->setComment(QStringLiteral("PEEP 5"));
    trend->setBPMHasChanged(true);
    EXPECT_EQ(trend->DisplayTitle(), QStringLiteral("[Trend: Night]"));
    const ZeltorGraph::IGraphDataParent& parent = *trend;
    EXPECT_EQ(parent.ParentType(), ZeltorGraph::egtTrendGraph);
    EXPECT_EQ(parent.Key(), QStringLiteral("T1"));
    EXPECT_EQ(parent.Title(), QStringLiteral("Night"));
    EXPECT_EQ(parent.Comment(), QStringLiteral("PEEP 5"));
    EXPECT_TRUE(trend->BPMHasChanged());
}

TEST_F(TrendTest, SaveWritesTheTrendsFieldsThenItsParameters)
{
    const auto trend = newTrend(QString());
    trend->Initialize(QStringLiteral("Night"), 15, 120);
    trend->AddSample(interval(12.0f, 0.5f));
    const auto element = trend->Save(document);
    EXPECT_EQ(element->TagName(), QStringLiteral("Trend"));
    EXPECT_TRUE(compactXml(xmlOf(element))
                    .startsWith(QStringLiteral("<Trend Key=\"\" StartTime=\"120\" Interval=\"15\"><Title>Night</Title>"
                                               "<SampleCount>1</SampleCount><TrendParameter Key=\"BRRA\">")));
    QStringList children;
    const auto list = element->ChildElements();
    for (int32_t i = 0; i < list->Count(); ++i)
        children << list->Item(i)->TagName() + list->Item(i)->GetAttribute(QStringLiteral("Key"));
    EXPECT_EQ(children, (QStringList{"Title", "SampleCount", "TrendParameterBRRA", "TrendParameterTIVO",
                                     "TrendParameterINPF", "TrendParameterATPR"}));

    trend->setComment(QStringLiteral("PEEP 5"));
    trend->setTitle(QString());
    EXPECT_EQ(trend->Save(document)->ChildElements()->Item(0)->TagName(), QStringLiteral("Comment"));
}

TEST_F(TrendTest, SaveLoadAndSaveAgainGiveTheSameBytes)
{
    const auto trend = newTrend(QStringLiteral("T7"));
    trend->Initialize(QStringLiteral("Weaning <night>"), 30, 3600);
    trend->setComment(QStringLiteral("PEEP 5 & FiO2 40%"));
    for (int i = 0; i < 250; ++i)
        trend->AddSample(interval(10.0f + static_cast<float>(i % 7), 0.4f + static_cast<float>(i % 5) * 0.013f));
    trend->Parameter(QStringLiteral("TIVO"))->setPrintOnReport(true);
    const QString first = xmlOf(trend->Save(document));

    const auto loaded = std::make_shared<CTrend>();
    loaded->Load(parsed(first), parameters);
    EXPECT_EQ(loaded->Key(), QStringLiteral("T7"));
    EXPECT_EQ(loaded->SampleCount(), 250);
    EXPECT_EQ(loaded->EndTime(), 3600 + 250 * 30);
    EXPECT_EQ(loaded->Comment(), trend->Comment());
    const auto again = Nelvar::xmlService().CreateDocument();
    again->setDocumentElement(loaded->Save(again));
    EXPECT_EQ(again->Xml(), first);
}

TEST_F(TrendTest, TrendWithoutParametersSavesNothingAndAnElementTheHostCannotMakeIsAnError)
{
    CParameterList channelsOnly;
    channelsOnly.Add(QStringLiteral("FLOW"));
    const auto empty = std::make_shared<CTrend>();
    empty->CreateParameters(QStringLiteral("E"), channelsOnly);
    empty->AddSample(interval(12.0f, 0.5f)); // records nothing but counts
    EXPECT_EQ(empty->SampleCount(), 1);
    EXPECT_EQ(empty->Save(document), nullptr);

    const com::Error error =
        caughtError([&] { newTrend()->Save(std::make_shared<DocumentWithoutElements>()); });
    EXPECT_EQ(error.number(), eeTrendCannotCreateElement);
    EXPECT_EQ(error.source(), QStringLiteral("CTrend"));
}

TEST_F(TrendTest, LoadTakesWhatItCanAndSkipsTheRest)
{
    const auto trend = std::make_shared<CTrend>();
    trend->Load(parsed(QStringLiteral(
                    "<Trend Key=\"T2\" StartTime=\"12.5\" Interval=\"13.5 s\"><SampleCount>99</SampleCount>"
                    "<TrendParameter Key=\"OXLE\"><Values><S>2100:2200</S></Values></TrendParameter>"
                    "<TrendParameter Key=\"TIVO\"><Values><S>40:50;45:55</S></Values></TrendParameter>"
                    "<TrendParameter Key=\"INPF\"><PrintOnReport>True</PrintOnReport>"
                    "<Values><S>100:200;300:400</S></Values></TrendParameter>"
                    "<TrendParameter><Values><S>1:2</S></Values></TrendParameter>"
                    "<Title>First</Title><Unknown/><Title>Night</Title><Comment>c</Comment></Trend>")),
                parameters);
    EXPECT_EQ(trend->Key(), QStringLiteral("T2"));
    EXPECT_EQ(parameterKeys(*trend), (QStringList{"BRRA", "TIVO", "INPF", "ATPR"}));
    EXPECT_EQ(trend->StartTime(), 12); // halves to even
    EXPECT_EQ(trend->Interval(), 14);
    EXPECT_EQ(trend->Title(), QStringLiteral("Night"));
    EXPECT_EQ(trend->Comment(), QStringLiteral("c"));
    EXPECT_EQ(trend->Parameter(QStringLiteral("TIVO"))->SampleCount(), 2);
    EXPECT_EQ(trend->Parameter(QStringLiteral("INPF"))->SampleCount(), 2);
    EXPECT_TRUE(trend->Parameter(QStringLiteral("INPF"))->PrintOnReport());
    // The count is the first parameter's, not the stored one.
    EXPECT_EQ(trend->SampleCount(), 0);
    EXPECT_TRUE(trend->BPMHasChanged());
    EXPECT_FALSE(trend->Active());
}

TEST_F(TrendTest, LoadReadsTimesFromTheLeadingNumberOfTheirAttributes)
{
    const struct {
        const char* attributes;
        int32_t startTime, interval;
    } cases[] = {
        {"", 0, 0},
        {"StartTime=\"\" Interval=\"x5\"", 0, 0},
        {"StartTime=\"-3\" Interval=\" 7s\"", -3, 7},
        {"StartTime=\"2.5\" Interval=\"3.5\"", 2, 4},
    };
    for (const auto& c : cases) {
        const auto trend = std::make_shared<CTrend>();
        trend->Load(parsed(QStringLiteral("<Trend %1/>").arg(QString::fromLatin1(c.attributes))), parameters);
        EXPECT_EQ(trend->StartTime(), c.startTime) << c.attributes;
        EXPECT_EQ(trend->Interval(), c.interval) << c.attributes;
        EXPECT_EQ(parameterKeys(*trend).size(), 4);
    }
}

TEST_F(TrendTest, AnUnreadableTrendRaisesNamingTheTrendAndTheParameter)
{
    const struct {
        const char* attributes;
        const char* tivo;
        int32_t number;
        const char* description;
    } cases[] = {
        {"StartTime=\"1e10\"", "", com::errOverflow, "Trend \"T\": StartTime is \"1e10\", out of range"},
        {"Interval=\"-1e10\"", "", com::errOverflow, "Trend \"T\": Interval is \"-1e10\", out of range"},
        {"", "<Values><S>40:50;oops</S></Values>", com::errSubscript,
         "Trend \"T\": TrendParameter \"TIVO\": Values pair 2 is \"oops\", not minimum:maximum"},
        {"", "<Values><S>40:x</S></Values>", com::errTypeMismatch,
         "Trend \"T\": TrendParameter \"TIVO\": Values pair 1 maximum is \"x\", not a number"},
        {"", "<Values><S>NaN:1</S></Values>", com::errTypeMismatch,
         "Trend \"T\": TrendParameter \"TIVO\": Values pair 1 minimum is \"NaN\", not a number"},
        {"", "<Values><S>1:1e309</S></Values>", com::errOverflow,
         "Trend \"T\": TrendParameter \"TIVO\": Values pair 1 maximum is \"1e309\", out of range"},
        {"", "<GraphSettings><XMax>1e39</XMax></GraphSettings>", com::errOverflow,
         "Trend \"T\": TrendParameter \"TIVO\": XMax is \"1e39\", out of range"},
    };
    for (const auto& c : cases) {
        const auto trend = std::make_shared<CTrend>();
        const com::Error error = caughtError([&] {
            trend->Load(parsed(QStringLiteral("<Trend Key=\"T\" %1><TrendParameter Key=\"TIVO\">%2</TrendParameter>"
                                              "</Trend>")
                                   .arg(QString::fromLatin1(c.attributes), QString::fromLatin1(c.tivo))),
                        parameters);
        });
        EXPECT_EQ(error.number(), c.number) << c.description;
        EXPECT_EQ(error.description(), QString::fromLatin1(c.description));
    }
}

TEST_F(TrendTest, LoadOfAnotherElementChangesNothing)
{
    const auto trend = std::make_shared<CTrend>();
    trend->Load(parsed(QStringLiteral("<trend Key=\"T\" StartTime=\"5\"/>")), parameters);
    trend->Load(nullptr, parameters);
    EXPECT_EQ(trend->Key(), QString());
    EXPECT_EQ(trend->StartTime(), 0);
    EXPECT_TRUE(parameterKeys(*trend).isEmpty());
    EXPECT_FALSE(trend->BPMHasChanged());
}
