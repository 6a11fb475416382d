#include "data/CGraphSettings.h"

#include "CaughtError.h"
#include "RecordingPipeline.h"
#include "TrendFixture.h"

#include "EUnit.h"
#include "Standards.h"
#include "standards/Limit.h"
#include "standards/Standard.h"

#include <vector>

using namespace ZeltorTests;

namespace {

// Records every call through a RecordingPipeline, keeps the limit it was last given and raises
// from the member named in `failingCall` after recording the call.
class InspectingPipeline final : public ZeltorGraph::IGraphPipeline {
public:
    RecordingPipeline recorded;
    QString failingCall;
    std::shared_ptr<Nelvar::ILimit> limit;

    int32_t CurrentX() const override { return 0; }
    void SetScaleBoundaries(float rMin, float rSpan) override
    {
        recorded.SetScaleBoundaries(rMin, rSpan);
        failIf("SetScaleBoundaries");
    }
    void Initialize(ZeltorGraph::XGraph* graph, const std::shared_ptr<ZeltorGraph::IGraphData>& data,
                    int32_t x) override
    {
        recorded.Initialize(graph, data, x);
        failIf("Initialize");
    }
    void Clear() override { recorded.Clear(); failIf("Clear"); }
    void BeginUpdate() override { recorded.BeginUpdate(); failIf("BeginUpdate"); }
    void EndUpdate() override { recorded.EndUpdate(); failIf("EndUpdate"); }
    void DrawValue(float rValue1, float rValue2) override
    {
        recorded.DrawValue(rValue1, rValue2);
        failIf("DrawValue");
    }
    void SetLimit(const std::shared_ptr<Nelvar::ILimit>& ilm) override
    {
        recorded.SetLimit(ilm);
        limit = ilm;
        failIf("SetLimit");
    }
    void SetDetectLevel(float rLevel) override { recorded.SetDetectLevel(rLevel); failIf("SetDetectLevel"); }
    void SetGraphSettings(int32_t iStartTime, int32_t iLength, int32_t iInterval) override
    {
        recorded.SetGraphSettings(iStartTime, iLength, iInterval);
        failIf("SetGraphSettings");
    }
    void StoreSettings(const std::shared_ptr<ZeltorGraph::IGraphSettings>& settings) override
    {
        recorded.StoreSettings(settings);
        failIf("StoreSettings");
    }
    void SetXScale(int32_t iMin, int32_t iSpan, bool fAutoScale) override
    {
        recorded.SetXScale(iMin, iSpan, fAutoScale);
        failIf("SetXScale");
    }
    void SetYScale(double rMin, double rSpan, bool fAutoScale) override
    {
        recorded.SetYScale(rMin, rSpan, fAutoScale);
        failIf("SetYScale");
    }
    QString GetXLabel(const com::Value&) override { return {}; }
    void LegendChange(int32_t iLegendIdx, bool fValue) override { recorded.LegendChange(iLegendIdx, fValue); }

private:
    void failIf(const char* call) const
    {
        if (failingCall == QLatin1String(call))
            throw com::Error(com::errInvalidCall, QStringLiteral("Pipeline"), QStringLiteral("drawing failed"));
    }
};

std::shared_ptr<host::Limit> limitOf(const QString& key, const QString& upper = {}, const QString& lower = {})
{
    auto limit = std::make_shared<host::Limit>();
    limit->Initialize(key, QString(), upper, lower);
    return limit;
}

} // namespace

class TrendParameterTest : public TrendFixture {
protected:
    void SetUp() override
    {
        TrendFixture::SetUp();
        parameters.Item(QStringLiteral("INPF"))->setDisplayUnit(ZeltorConverter::eunFlow_LpMin);
        trend = newTrend();
        trend->Initialize(QStringLiteral("Night"), 15, 120);
        flow = trend->Parameter(QStringLiteral("INPF"));
    }

    static void addSamples(CTrendParameter& parameter, const std::vector<TrendSample>& samples)
    {
        for (const TrendSample& sample : samples)
            parameter.AddSample(sample.min, sample.max);
    }

    // A fresh trend parameter of the same key with the record loaded into it.
    std::shared_ptr<CTrendParameter> reloaded(const QString& xml)
    {
        const auto fresh = newTrend()->Parameter(QStringLiteral("INPF"));
        fresh->Load(parsed(xml));
        return fresh;
    }

    std::shared_ptr<CTrend> trend;
    std::shared_ptr<CTrendParameter> flow; // "INPF", stored in ml/s, shown in l/min
};

TEST_F(TrendParameterTest, SamplesKeepTheOverallMinimumAndMaximum)
{
    const auto rate = trend->Parameter(QStringLiteral("BRRA"));
    const struct {
        TrendSample sample;
        bool change;
        float min, max;
    } steps[] = {
        {{0.0f, 0.0f}, true, 0.0f, 0.0f}, // the first sample sets both, zeros too
        {{0.0f, 0.0f}, false, 0.0f, 0.0f},
        {{-1.0f, 0.0f}, true, -1.0f, 0.0f},
        {{-1.0f, 5.0f}, true, -1.0f, 5.0f},
        {{-1.0f, 5.0f}, false, -1.0f, 5.0f}, // equal values change nothing
        {{7.0f, 2.0f}, false, -1.0f, 5.0f},  // min above max is not checked
        {{-2.0f, 6.0f}, true, -2.0f, 6.0f},
    };
    for (const auto& step : steps) {
        rate->AddSample(step.sample.min, step.sample.max);
        EXPECT_EQ(rate->MinMaxChange(), step.change) << step.sample.min << ":" << step.sample.max;
        EXPECT_EQ(rate->MinValue(), step.min);
        EXPECT_EQ(rate->MaxValue(), step.max);
    }
    EXPECT_EQ(rate->SampleCount(), 7);
    const std::vector<float> minima{0.0f, 0.0f, -1.0f, -1.0f, -1.0f, 7.0f, -2.0f};
    EXPECT_EQ(rate->Values(2, false), (std::vector<float>{0.0f, 0.0f, 0.0f, 5.0f, 5.0f, 2.0f, 6.0f}));
    for (const int32_t which : {0, 1, 3})
        EXPECT_EQ(rate->Values(which, true), minima) << which;
    EXPECT_TRUE(trend->Parameter(QStringLiteral("TIVO"))->Values(2, true).empty());
}

TEST_F(TrendParameterTest, ValuesLeaveInTheDefinitionsCurrentDisplayUnit)
{
    addSamples(*flow, {{1000.0f, 2000.0f}, {500.0f, 2500.0f}});
    EXPECT_EQ(flow->MinValue(), 30.0f);
    EXPECT_EQ(flow->MaxValue(), 150.0f);
    EXPECT_EQ(flow->Values(2, true), (std::vector<float>{120.0f, 150.0f}));
    EXPECT_EQ(flow->Values(2, false), (std::vector<float>{2000.0f, 2500.0f}));

    parameters.Item(QStringLiteral("INPF"))->setDisplayUnit(ZeltorConverter::eunFlow_LpSec);
    EXPECT_EQ(flow->MaxValue(), 2.5f);
    EXPECT_EQ(flow->Values(0, true), (std::vector<float>{1.0f, 0.5f}));
}

TEST_F(TrendParameterTest, GraphDataMembersNameTheParameterAndItsTrend)
{
    EXPECT_EQ(flow->Parent(), trend);
    EXPECT_EQ(flow->Title(), QStringLiteral("Inspiratory peak flow [Trend: Night]"));
    EXPECT_EQ(flow->Unit(), QStringLiteral("l/min"));
    EXPECT_EQ(flow->GraphType(), ZeltorGraph::egtTrendGraph);
    ASSERT_NE(flow->Settings(), nullptr);
    EXPECT_EQ(flow->Settings(), flow->Settings());
    EXPECT_EQ(flow->Key(), QStringLiteral("INPF"));
    EXPECT_EQ(flow->Caption(false), QStringLiteral("20602::Inspiratory peak flow"));
    EXPECT_EQ(flow->ValueFormat(), QStringLiteral("0.00"));
    EXPECT_EQ(trend->Parameter(QStringLiteral("TIVO"))->ValueFormat(), QStringLiteral("0.000"));

    // The parameter does not keep its trend alive.
    trend.reset();
    EXPECT_EQ(flow->Parent(), nullptr);
    EXPECT_EQ(caughtError([&] { flow->Title(); }).number(), com::errObjectNotSet);
}

TEST_F(TrendParameterTest, HookingDrawsEveryStoredPairThenAppliesTheYScale)
{
    addSamples(*flow, {{1000.0f, 2000.0f}, {500.0f, 2500.0f}}); // no pipeline: stored only
    flow->Settings()->setYmin(-10.0f);
    flow->Settings()->setYmax(30.5f);
    flow->Settings()->setAutoScaleY(false);

    const auto pipeline = std::make_shared<RecordingPipeline>();
    flow->HookPipeline(pipeline);
    EXPECT_EQ(pipeline->calls, (QStringList{"SetLimit(none)", "SetGraphSettings(120, 2, 15)", "DrawValue(60, 120)",
                                            "DrawValue(30, 150)", "SetYScale(-10, 40.5, false)"}));

    pipeline->calls.clear();
    flow->AddSample(1000.0f, 1000.0f);
    EXPECT_EQ(pipeline->calls, QStringList{"DrawValue(60, 60)"});

    // Hooking another pipeline moves the drawing there, redrawn from the start.
    const auto next = std::make_shared<RecordingPipeline>();
    flow->HookPipeline(next);
    EXPECT_EQ(next->callsTo(QStringLiteral("DrawValue")).size(), 3);
    EXPECT_EQ(next->calls[1], QStringLiteral("SetGraphSettings(120, 3, 15)"));
    flow->AddSample(0.0f, 0.0f);
    EXPECT_EQ(pipeline->calls, QStringList{"DrawValue(60, 60)"});
    EXPECT_EQ(next->calls.last(), QStringLiteral("DrawValue(0, 0)"));
}

TEST_F(TrendParameterTest, ReleasingStoresTheViewWhenAskedAndLetsThePipelineGo)
{
    for (const bool store : {true, false}) {
        const auto owner = newTrend();
        const auto parameter = owner->Parameter(QStringLiteral("BRRA"));
        auto pipeline = std::make_shared<RecordingPipeline>();
        const std::weak_ptr<RecordingPipeline> watched = pipeline;
        parameter->HookPipeline(pipeline);
        pipeline->calls.clear();

        parameter->ReleasePipeline(store);
        EXPECT_EQ(pipeline->calls, store ? QStringList{"StoreSettings()"} : QStringList{}) << store;
        EXPECT_EQ(parameter->Settings()->Ymax(), store ? 5.0f : 0.0f);
        EXPECT_EQ(parameter->Settings()->AutoScaleX(), !store);

        parameter->AddSample(1.0f, 2.0f);
        parameter->ReleasePipeline(true);
        EXPECT_EQ(pipeline->calls.size(), store ? 1 : 0); // nothing more reached it
        pipeline.reset();
        EXPECT_TRUE(watched.expired());
    }
}

TEST_F(TrendParameterTest, PipelineFailuresEndTheStepSilently)
{
    const struct {
        const char* failingCall;
        QStringList calls;
    } cases[] = {
        {"SetLimit", {"SetLimit(none)"}},
        {"SetGraphSettings", {"SetLimit(none)", "SetGraphSettings(120, 2, 15)"}},
        // A pair that cannot be drawn ends only its own drawing.
        {"DrawValue",
         {"SetLimit(none)", "SetGraphSettings(120, 2, 15)", "DrawValue(60, 120)", "DrawValue(30, 150)",
          "SetYScale(0, 0, true)"}},
    };
    for (const auto& c : cases) {
        const auto owner = newTrend();
        owner->Initialize(QStringLiteral("Night"), 15, 120);
        const auto parameter = owner->Parameter(QStringLiteral("INPF"));
        addSamples(*parameter, {{1000.0f, 2000.0f}, {500.0f, 2500.0f}});
        const auto pipeline = std::make_shared<InspectingPipeline>();
        pipeline->failingCall = QString::fromLatin1(c.failingCall);
        parameter->HookPipeline(pipeline);
        EXPECT_EQ(pipeline->recorded.calls, c.calls) << c.failingCall;
    }

    const auto pipeline = std::make_shared<InspectingPipeline>();
    pipeline->failingCall = QStringLiteral("DrawValue");
    flow->HookPipeline(pipeline);
    flow->AddSample(1000.0f, 3000.0f);
    EXPECT_EQ(flow->SampleCount(), 1); // stored although it could not be drawn
    EXPECT_EQ(flow->MaxValue(), 180.0f);
    flow->HookPipeline(nullptr); // hooking none only drops the pipeline
    flow->AddSample(0.0f, 0.0f);
    EXPECT_EQ(pipeline->recorded.callsTo(QStringLiteral("DrawValue")).size(), 1);
}

TEST_F(TrendParameterTest, ReleaseLetsThePipelineGoEvenWhenStoringFails)
{
    auto pipeline = std::make_shared<InspectingPipeline>();
    pipeline->failingCall = QStringLiteral("StoreSettings");
    const std::weak_ptr<InspectingPipeline> watched = pipeline;
    flow->HookPipeline(pipeline);
    flow->ReleasePipeline();
    EXPECT_EQ(pipeline->recorded.calls.last(), QStringLiteral("StoreSettings()"));
    flow->AddSample(1.0f, 2.0f);
    EXPECT_TRUE(pipeline->recorded.callsTo(QStringLiteral("DrawValue")).isEmpty());
    pipeline.reset();
    EXPECT_TRUE(watched.expired());
}

TEST_F(TrendParameterTest, ApplyLimitsTakesTheFirstLimitOfTheParametersKey)
{
    const auto standard = std::make_shared<host::Standard>();
    standard->Initialize(QStringLiteral("ISO"), QStringLiteral("ISO 80601"), 1);
    const auto first = limitOf(QStringLiteral("INPF"), QStringLiteral("3000"), QStringLiteral("500"));
    for (const auto& limit : {limitOf(QStringLiteral("BRRA")), limitOf(QStringLiteral("inpf")), first,
                              limitOf(QStringLiteral("INPF"))})
        standard->Add(limit);
    const auto other = std::make_shared<host::Standard>();
    other->Add(limitOf(QStringLiteral("BRRA")));

    // Kept until a pipeline is hooked, which gets it first.
    flow->ApplyLimits(standard);
    const auto pipeline = std::make_shared<InspectingPipeline>();
    flow->HookPipeline(pipeline);
    EXPECT_EQ(pipeline->recorded.calls.first(), QStringLiteral("SetLimit(limit)"));
    EXPECT_EQ(pipeline->limit, first);

    // While hooked, every change goes to the pipeline at once.
    using Change = std::pair<std::shared_ptr<Nelvar::IStandard>, QString>;
    for (const auto& [applied, expected] : {Change{other, QStringLiteral("none")},
                                            Change{standard, QStringLiteral("limit")},
                                            Change{nullptr, QStringLiteral("none")}}) {
        pipeline->recorded.calls.clear();
        flow->ApplyLimits(applied);
        EXPECT_EQ(pipeline->recorded.calls, QStringList{QStringLiteral("SetLimit(%1)").arg(expected)});
    }
    EXPECT_EQ(pipeline->limit, nullptr);

    // A failing pipeline is swallowed; the limit is kept for the next hook.
    pipeline->failingCall = QStringLiteral("SetLimit");
    flow->ApplyLimits(standard);
    const auto next = std::make_shared<InspectingPipeline>();
    flow->HookPipeline(next);
    EXPECT_EQ(next->limit, first);
}

TEST_F(TrendParameterTest, RecordHoldsTheSamplesInHundredthsOfTheBaseUnit)
{
    addSamples(*flow, {{12.34f, 15.0f}, {-0.5f, 0.0f}, {0.125f, -0.125f}, {2.675f, 1.005f}});
    flow->setPrintOnReport(true);
    EXPECT_EQ(compactXml(xmlOf(flow->Save(document))),
              QStringLiteral("<TrendParameter Key=\"INPF\"><GraphSettings><XMin>0</XMin><XMax>0</XMax><YMin>0</YMin>"
                             "<YMax>0</YMax></GraphSettings><PrintOnReport>True</PrintOnReport><Values>"
                             "<SubString ID=\"1\">1234:1500;-50:0;12:-12;267:100</SubString></Values>"
                             "</TrendParameter>"));

    const auto loaded = reloaded(xmlOf(flow->Save(document)));
    EXPECT_EQ(loaded->Values(0, false), (std::vector<float>{12.34f, -0.5f, 0.12f, 2.67f}));
    EXPECT_EQ(loaded->Values(2, false), (std::vector<float>{15.0f, 0.0f, -0.12f, 1.0f}));
    EXPECT_TRUE(loaded->PrintOnReport());
}

TEST_F(TrendParameterTest, ValuesAreWrittenInChunksOf200Pairs)
{
    const struct {
        int count;
        std::vector<int> chunkSizes;
    } cases[] = {{0, {}}, {1, {1}}, {200, {200}}, {201, {200, 1}}, {400, {200, 200}}, {401, {200, 200, 1}}};
    for (const auto& c : cases) {
        const auto parameter = newTrend()->Parameter(QStringLiteral("BRRA"));
        for (int i = 0; i < c.count; ++i)
            parameter->AddSample(static_cast<float>(i), static_cast<float>(i) + 0.5f);
        const auto values = parameter->Save(document)->FindChildElement(QStringLiteral("Values"));
        ASSERT_NE(values, nullptr);
        const auto chunks = values->ChildElements();
        ASSERT_EQ(chunks->Count(), static_cast<int32_t>(c.chunkSizes.size())) << c.count;
        for (int32_t n = 0; n < chunks->Count(); ++n) {
            const auto chunk = chunks->Item(n);
            EXPECT_EQ(chunk->TagName(), QStringLiteral("SubString"));
            EXPECT_EQ(chunk->GetAttribute(QStringLiteral("ID")), QString::number(n + 1));
            const QStringList pairs = chunk->Text().split(QLatin1Char(';'));
            EXPECT_EQ(pairs.size(), c.chunkSizes[static_cast<size_t>(n)]) << c.count;
            EXPECT_FALSE(pairs.contains(QString()));
            EXPECT_EQ(pairs.first(), QStringLiteral("%1:%2").arg(200 * n * 100).arg(200 * n * 100 + 50));
        }
    }
}

TEST_F(TrendParameterTest, SaveLoadAndSaveAgainGiveTheSameBytes)
{
    for (int i = 0; i < 450; ++i)
        flow->AddSample(static_cast<float>(i % 37) * 1.37f - 20.0f, static_cast<float>(i % 11) * 99.99f);
    flow->Settings()->setAutoScaleY(false);
    flow->Settings()->setYmax(1234.5f);
    flow->Settings()->setShowMin(false);
    flow->setPrintOnReport(true);
    const QString first = xmlOf(flow->Save(document));

    const auto loaded = reloaded(first);
    EXPECT_EQ(loaded->SampleCount(), 450);
    EXPECT_FALSE(loaded->Settings()->ShowMin());
    EXPECT_EQ(loaded->Settings()->Ymax(), 1234.5f);
    const auto again = Nelvar::xmlService().CreateDocument();
    again->setDocumentElement(loaded->Save(again));
    EXPECT_EQ(again->Xml(), first);
}

TEST_F(TrendParameterTest, LoadReadsTheChunksInDocumentOrderAndRebuildsTheOverallValues)
{
    const auto pipeline = std::make_shared<RecordingPipeline>();
    flow->HookPipeline(pipeline);
    pipeline->calls.clear();
    flow->Load(parsed(QStringLiteral("<TrendParameter Key=\"TIVO\"><Values><SubString ID=\"2\">300:400</SubString>"
                                     "<Other>100:200;;</Other><SubString ID=\"1\"></SubString></Values>"
                                     "<PrintOnReport>true</PrintOnReport></TrendParameter>")));
    EXPECT_EQ(flow->Values(0, false), (std::vector<float>{3.0f, 1.0f}));
    EXPECT_EQ(flow->Values(2, false), (std::vector<float>{4.0f, 2.0f}));
    EXPECT_EQ(flow->MinValue(), 0.06f);
    EXPECT_TRUE(flow->MinMaxChange());
    EXPECT_FALSE(flow->PrintOnReport()); // only the exact text "True" sets it
    EXPECT_EQ(pipeline->callsTo(QStringLiteral("DrawValue")).size(), 2); // loaded pairs draw like new ones

    // Loading appends to the samples held; another element or no "Values" adds nothing.
    flow->Load(parsed(QStringLiteral("<TrendParameter><Values>500:600</Values></TrendParameter>")));
    flow->Load(parsed(QStringLiteral("<Trend><Values><S>1:2</S></Values></Trend>")));
    flow->Load(parsed(QStringLiteral("<TrendParameter/>")));
    EXPECT_EQ(flow->SampleCount(), 2); // "Values" text of its own is no child element
    EXPECT_EQ(caughtError([&] { flow->Load(nullptr); }).number(), com::errObjectNotSet);
}

TEST_F(TrendParameterTest, MalformedPairsEndTheLoadKeepingThePairsBefore)
{
    const struct {
        const char* values;
        int32_t error; // 0: none
        std::vector<float> maxima;
    } cases[] = {
        {"100:200;300;500:600", com::errSubscript, {2.0f}},
        {"100:200;x:300", com::errTypeMismatch, {2.0f}},
        {"100:200;500:", com::errTypeMismatch, {2.0f}},
        {"100:2e50", com::errOverflow, {}},
        {"100:200:300; 400 : 500 ", 0, {2.0f, 5.0f}},
    };
    for (const auto& c : cases) {
        const auto parameter = newTrend()->Parameter(QStringLiteral("INPF"));
        const auto record = parsed(QStringLiteral("<TrendParameter><Values><SubString>%1</SubString></Values>"
                                                  "</TrendParameter>").arg(QString::fromLatin1(c.values)));
        if (c.error != 0)
            EXPECT_EQ(caughtError([&] { parameter->Load(record); }).number(), c.error) << c.values;
        else
            parameter->Load(record);
        EXPECT_EQ(parameter->Values(2, false), c.maxima) << c.values;
    }
}

TEST_F(TrendParameterTest, SaveFailuresGiveNoElement)
{
    EXPECT_EQ(flow->Save(nullptr), nullptr);
    EXPECT_EQ(CTrendParameter().Save(document), nullptr); // no definition bound
}
