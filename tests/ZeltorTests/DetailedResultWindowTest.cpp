// The detailed result window, shown modally on the virtual clock and answered by actions that the
// test schedules on it: OK, Cancel, Esc or the close box.

#include "CaughtError.h"
#include "HostFixture.h"

#include "ui/FDetailedResultView.h"

#include "data/CGraphSettings.h"
#include "data/CParameterList.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"

#include "com/Error.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using ZeltorTests::FDetailedResultView;

namespace {

constexpr int32_t kZoomIn = 0;

// A trend-like item that records how its pipeline is let go: the store flag of every release,
// and a weak reference to the pipeline it was hooked to. Its hooking can be made to fail.
class RecordingItem final : public ZeltorGraph::IGraphData {
public:
    explicit RecordingItem(ZeltorGraph::EZeltorGraphType graphType = ZeltorGraph::egtTrendGraph) : type(graphType) {}

    ZeltorGraph::EZeltorGraphType type;
    bool failHook = false;
    std::shared_ptr<ZeltorTests::CGraphSettings> settings = std::make_shared<ZeltorTests::CGraphSettings>();
    std::shared_ptr<ZeltorGraph::IGraphPipeline> pipeline;
    std::weak_ptr<ZeltorGraph::IGraphPipeline> hookedTo;
    std::vector<bool> releases;

    std::shared_ptr<ZeltorGraph::IGraphDataParent> Parent() const override { return nullptr; }
    QString Title() const override { return QStringLiteral("Breath rate of the night"); }
    QString Unit() const override { return QStringLiteral("BPM"); }
    ZeltorGraph::EZeltorGraphType GraphType() const override { return type; }
    std::shared_ptr<ZeltorGraph::IGraphSettings> Settings() const override { return settings; }
    void SyncXScale(int32_t, int32_t, bool) override {}
    void HookPipeline(const std::shared_ptr<ZeltorGraph::IGraphPipeline>& igpPipeline) override
    {
        hookedTo = igpPipeline;
        if (failHook)
            throw com::Error(static_cast<int32_t>(0x8004A300), QStringLiteral("RecordingItem"),
                             QStringLiteral("hooking failed"));
        pipeline = igpPipeline;
    }
    void ReleasePipeline(bool fStoreSettings) override
    {
        releases.push_back(fStoreSettings);
        if (const auto released = std::exchange(pipeline, nullptr); released && fStoreSettings)
            released->StoreSettings(settings);
    }
};

// One way of leaving the window, as the user takes it.
struct WayOut {
    const char* name;
    std::function<void(FDetailedResultView&)> take;
    int32_t answer;
    bool kept;
};

QPushButton& button(FDetailedResultView& window, const char* name)
{
    auto* found = window.findChild<QPushButton*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(name);
    return *found;
}

const std::vector<WayOut>& waysOut()
{
    static const std::vector<WayOut> ways = {
        {"OK", [](FDetailedResultView& w) { QTest::mouseClick(&button(w, "cmdOK"), Qt::LeftButton); }, 1, true},
        {"Cancel", [](FDetailedResultView& w) { QTest::mouseClick(&button(w, "cmdCancel"), Qt::LeftButton); }, 2,
         false},
        // Esc while the OK button has the focus still cancels.
        {"Esc", [](FDetailedResultView& w) { QTest::keyClick(&button(w, "cmdOK"), Qt::Key_Escape); }, 2, false},
        {"close box", [](FDetailedResultView& w) { w.close(); }, 2, false},
    };
    return ways;
}

class DetailedResultWindowTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        for (const char* key : {"FLOW", "PRES", "VOLU"})
            parameters.Add(QString::fromLatin1(key));
        window = std::make_unique<FDetailedResultView>();
    }
    void TearDown() override
    {
        window.reset();
        HostFixture::TearDown();
    }

    // What the user does while the window is shown, a little later on the virtual clock.
    void whileShown(std::function<void(FDetailedResultView&)> action)
    {
        loop->at(loop->now() + 50, [this, action = std::move(action)] {
            ASSERT_TRUE(window->isVisible());
            action(*window);
        });
    }

    // A stored snapshot of 500 samples (ten seconds) per channel.
    std::shared_ptr<ZeltorTests::CWaveformData> newSnapshot() const
    {
        auto snapshot = ZeltorTests::CWaveformData::create();
        snapshot->Initialize(QStringLiteral("1S"), parameters, 9000);
        for (const auto& table : {snapshot->FlowTable(), snapshot->PressureTable(), snapshot->VolumeTable()})
            for (int k = 0; k < 500; ++k)
                table->AddValue(static_cast<float>(k % 50));
        snapshot->Freeze(110, 0);
        return snapshot;
    }

    ZeltorTests::CParameterList parameters;
    std::unique_ptr<FDetailedResultView> window;
};

struct XWindow {
    bool autoScale;
    float xmin;
    float xmax;
    bool operator==(const XWindow&) const = default;
};

XWindow xWindowOf(const ZeltorTests::CZeltorMeasurementTable& table)
{
    const ZeltorGraph::IGraphSettings& settings = *table.Settings();
    return {settings.AutoScaleX(), settings.Xmin(), settings.Xmax()};
}

void setXWindow(const ZeltorTests::CZeltorMeasurementTable& table, const XWindow& window)
{
    ZeltorGraph::IGraphSettings& settings = *table.Settings();
    settings.setAutoScaleX(window.autoScale);
    settings.setXmin(window.xmin);
    settings.setXmax(window.xmax);
}

std::ostream& operator<<(std::ostream& out, const XWindow& window)
{
    return out << (window.autoScale ? "auto " : "") << window.xmin << ".." << window.xmax;
}

} // namespace

// Only OK answers 1 and lets the item store the graph's view.
TEST_F(DetailedResultWindowTest, EachWayOutAnswersAndStoresTheViewOnlyAfterOK)
{
    for (const WayOut& way : waysOut()) {
        window = std::make_unique<FDetailedResultView>();
        const auto item = std::make_shared<RecordingItem>();
        whileShown(way.take);
        EXPECT_EQ(window->ShowDetail(item), way.answer) << way.name;
        EXPECT_EQ(item->releases, std::vector<bool>{way.kept}) << way.name;
        EXPECT_TRUE(item->hookedTo.expired()) << way.name << ": the pipeline was let go";
        EXPECT_FALSE(window->isVisible()) << way.name;
        EXPECT_EQ(window->windowTitle(), item->Title()) << way.name;
        EXPECT_EQ(window->graph().GraphData(), item) << way.name;
    }
}

// The graph writes the X window it shows into all three channel tables of a snapshot while the
// user zooms; only OK keeps it.
TEST_F(DetailedResultWindowTest, TheSnapshotsXWindowIsKeptAfterOKAndRestoredOtherwise)
{
    const XWindow flowBefore{false, 100.0f, 200.0f};
    const XWindow pressureBefore{true, 0.0f, 0.0f};
    const XWindow volumeBefore{false, 50.0f, 450.0f};
    const XWindow zoomed{false, 100.0f, 190.0f}; // the span of 100 samples zoomed in to 90
    for (const WayOut& way : waysOut()) {
        window = std::make_unique<FDetailedResultView>();
        const auto snapshot = newSnapshot();
        setXWindow(*snapshot->FlowTable(), flowBefore);
        setXWindow(*snapshot->PressureTable(), pressureBefore);
        setXWindow(*snapshot->VolumeTable(), volumeBefore);
        whileShown([&](FDetailedResultView& shown) {
            QTest::mouseClick(&shown.graph().ScaleX().button(kZoomIn), Qt::LeftButton);
            EXPECT_EQ(xWindowOf(*snapshot->VolumeTable()), zoomed) << way.name << ": the zoom reached every table";
            way.take(shown);
        });
        EXPECT_EQ(window->ShowDetail(snapshot->FlowTable()), way.answer) << way.name;
        if (way.kept) {
            for (const auto& table : {snapshot->FlowTable(), snapshot->PressureTable(), snapshot->VolumeTable()})
                EXPECT_EQ(xWindowOf(*table), zoomed) << way.name << " " << table->Key().toStdString();
        } else {
            EXPECT_EQ(xWindowOf(*snapshot->FlowTable()), flowBefore) << way.name;
            EXPECT_EQ(xWindowOf(*snapshot->PressureTable()), pressureBefore) << way.name;
            EXPECT_EQ(xWindowOf(*snapshot->VolumeTable()), volumeBefore) << way.name;
        }
    }
}

// When the graph cannot show the item, the window lets the item and the pipeline go before the
// graph's error reaches the caller, and is never shown.
TEST_F(DetailedResultWindowTest, AGraphErrorPassesOnAfterThePipelineWasReleased)
{
    const auto unknownType = std::make_shared<RecordingItem>(static_cast<ZeltorGraph::EZeltorGraphType>(7));
    const com::Error noPipeline = caughtError([&] { window->ShowDetail(unknownType); });
    EXPECT_NE(noPipeline.number(), 0);
    EXPECT_EQ(unknownType->releases, std::vector<bool>{false});
    EXPECT_FALSE(window->isVisible());

    const auto failingHook = std::make_shared<RecordingItem>();
    failingHook->failHook = true;
    const com::Error hookError = caughtError([&] { window->ShowDetail(failingHook); });
    EXPECT_EQ(hookError.number(), static_cast<int32_t>(0x8004A300));
    EXPECT_EQ(hookError.description(), QStringLiteral("hooking failed"));
    EXPECT_EQ(failingHook->releases, std::vector<bool>{false});
    EXPECT_TRUE(failingHook->hookedTo.expired()) << "the graph still holds the pipeline";
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->graph().CurrentX(), 0);
}
