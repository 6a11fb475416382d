#include "ui/XFullscreenView.h"

#include "elements/CResultVentilator.h"
#include "data/CSnapshotColl.h"
#include "elements/CTestVentilator.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CTrendParameter.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"
#include "GMiscConverters.h"
#include "IZeltorConfiguration.h"

#include "TestElement.h"
#include "TranslateControls.h"

#include "com/Failure.h"
#include "com/FlagGuard.h"
#include "com/Required.h"
#include "widgets/Colors.h"
#include "widgets/Twips.h"

#include <QEvent>
#include <QKeyEvent>

#include <algorithm>

namespace ZeltorTests {

namespace {

constexpr int kMenuFromRight = 4460;
constexpr int kMenuWidth = 4400;
constexpr int kNoticeMilliseconds = 2500;
constexpr int32_t kMinimumFrameRate = 1;
constexpr int32_t kMaximumFrameRate = 50;
// The view covers the whole window: a dark ground with white texts, as the graphs have.
constexpr uint32_t kViewBackColor = 0x404040;
constexpr uint32_t kViewForeColor = 0xFFFFFF;

QString text(const char* key)
{
    return Zeltor::translated(QString::fromUtf8(key));
}

ZeltorGraph::EZeltorGraphType graphTypeOf(const ZeltorGraph::XGraph& pane)
{
    return com::required(pane.GraphData()).GraphType();
}

} // namespace

XFullscreenView::XFullscreenView(QWidget* parent)
    : QWidget(parent)
{
    xstStartTrend.setObjectName(QStringLiteral("xstStartTrend"));
    xqryQuery.setObjectName(QStringLiteral("xqryQuery"));
    xnonMessage.setObjectName(QStringLiteral("xnonMessage"));
    xfvmMenu.setObjectName(QStringLiteral("xfvmMenu"));
    widgets::setBackColor(*this, kViewBackColor);
    widgets::setForeColor(*this, kViewForeColor);
    for (int32_t index = 0; index < kPanes; ++index) {
        auto& graph = xgsGraphs[static_cast<size_t>(index)];
        graph = new ZeltorGraph::XGraph(this);
        graph->setObjectName(QStringLiteral("xgsGraphs%1").arg(index));
        // A click anywhere on a pane gives it the focus, which makes it the current pane.
        graph->setFocusPolicy(Qt::ClickFocus);
        graph->installEventFilter(this);
    }
    xstStartTrend.raise();
    xqryQuery.raise();

    connect(&xfvmMenu, &XFullscreenViewMenu::ExitFullScreen, this, [this] { emit ExitFullScreen(); });
    connect(&xfvmMenu, &XFullscreenViewMenu::ItemSelected, this,
            [this](const std::shared_ptr<ZeltorGraph::IGraphData>& item, int32_t bookmark) {
                itemSelected(item, bookmark);
            });
    connect(&xfvmMenu, &XFullscreenViewMenu::StartTrend, this, [this] { openStartTrendDialog(); });
    connect(&xfvmMenu, &XFullscreenViewMenu::StopTrend, this, [this](const auto& item) { stopTrendAsked(item); });
    connect(&xfvmMenu, &XFullscreenViewMenu::CreateSnapshot, this, [this] { takeSnapshot(); });
    connect(&xfvmMenu, &XFullscreenViewMenu::Truncate, this, [this](const auto& item) { truncateAsked(item); });
    connect(&xfvmMenu, &XFullscreenViewMenu::DeleteGraphDataParent, this,
            [this](const auto& item) { deleteAsked(item); });
    connect(&xfvmMenu, &XFullscreenViewMenu::TitleChanged, this, [this] {
        for (const auto& graph : xgsGraphs)
            com::ignoreFailure([&] { graph->RefreshTitle(); });
    });
    connect(&xfvmMenu, &XFullscreenViewMenu::BeforeItemClick, this, [this](bool fOverride) {
        m_savedForcedDisplay = m_forcedDisplay;
        m_forcedDisplay = fOverride;
    });
    connect(&xfvmMenu, &XFullscreenViewMenu::AfterItemClick, this, [this] { m_forcedDisplay = m_savedForcedDisplay; });
    connect(&xstStartTrend, &XStartTrendDialog::StartNewTrend, this,
            [this](const QString& description, int32_t interval) { startNewTrend(description, interval); });
    connect(&xqryQuery, &XQuery::YesClicked, this, [this] { answeredYes(); });
    connect(&xqryQuery, &XQuery::NoClicked, this, [this] { clearPendingAction(); });

    Zeltor::translateControls(*this);
    pane(0).SetSyncMaster(&pane(1));
    pane(1).SetSyncMaster(&pane(0));
    activatePane(0);
}

XFullscreenView::~XFullscreenView()
{
    for (const auto& graph : xgsGraphs) {
        graph->DestroyPipeline();
        graph->SetSyncMaster(nullptr);
    }
}

ZeltorGraph::XGraph& XFullscreenView::pane(int32_t index)
{
    return *xgsGraphs.at(static_cast<size_t>(index));
}

void XFullscreenView::Initialize(const std::shared_ptr<Nelvar::ITestElement>& test, ITestGuideWindow& form,
                                 bool fInitMenu)
{
    com::untilFirstFailure([&] {
        m_testElement = test;
        const auto result = std::dynamic_pointer_cast<CResultVentilator>(com::required(test).Result());
        m_trends = com::required(result).Trends();
        m_snapshots = result->Snapshots();
        m_window = &form;
        if (fInitMenu)
            xfvmMenu.model().Initialize(*result);
        m_initialised = true;
    });
}

void XFullscreenView::DisplayResults(const CResultVentilator& result, ITestGuideWindow& form)
{
    com::untilFirstFailure([&] {
        m_window = &form;
        if (const auto& trends = result.Trends(); trends && trends->Count() >= 1)
            for (const auto& trend : *trends)
                xfvmMenu.model().AddTrend(trend);
        if (const auto& snapshots = result.Snapshots(); snapshots && snapshots->Count() >= 1)
            for (const auto& snapshot : *snapshots)
                xfvmMenu.model().AddSnapshot(snapshot);
    });
}

void XFullscreenView::StartTest()
{
    com::untilFirstFailure([&] { xfvmMenu.model().StartTest([this](int32_t index) { setCurrentPane(index); }); });
}

void XFullscreenView::StopTest()
{
    com::untilFirstFailure([&] {
        // No trend can start once the run has stopped.
        xstStartTrend.hide();
        xfvmMenu.model().StopTest();
        m_paneBookmarks = {};
    });
}

void XFullscreenView::StepFrameRate(int32_t step)
{
    com::untilFirstFailure([&] {
        std::optional<int32_t> rate;
        for (const auto& graph : xgsGraphs) {
            // A pane without an item ends the step there.
            if (graphTypeOf(*graph) != ZeltorGraph::egtWaveformGraph)
                continue;
            if (!rate)
                rate = std::clamp(graph->UpdateFrameRate() + step, kMinimumFrameRate, kMaximumFrameRate);
            graph->setUpdateFrameRate(*rate);
        }
    });
}

void XFullscreenView::UpdateWaveformReferences(const std::shared_ptr<CWaveformData>& waveform)
{
    com::untilFirstFailure([&] { xfvmMenu.model().UpdateWaveformReferences(waveform); });
}

void XFullscreenView::SelectStandard(const std::shared_ptr<Nelvar::IStandard>& standard)
{
    com::untilFirstFailure([&] {
        m_selectedStandard = standard;
        for (const auto& graph : xgsGraphs)
            if (const auto parameter = std::dynamic_pointer_cast<CTrendParameter>(graph->GraphData()))
                parameter->ApplyLimits(standard);
    });
}

void XFullscreenView::activatePane(int32_t index)
{
    com::untilFirstFailure([&] {
        pane(index).setHighLight(true);
        pane(1 - index).setHighLight(false);
        m_currentPane = index;
        if (m_initialised)
            xfvmMenu.model().SetActiveItem(m_paneBookmarks.at(static_cast<size_t>(index)));
    });
}

void XFullscreenView::itemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& item, int32_t bookmark)
{
    com::untilFirstFailure([&] {
        const auto current = static_cast<size_t>(m_currentPane);
        const size_t other = 1 - current;
        ZeltorGraph::XGraph& currentPane = pane(m_currentPane);
        ZeltorGraph::XGraph& otherPane = *xgsGraphs.at(other);
        const bool shown = bookmark == m_paneBookmarks.at(current) || bookmark == m_paneBookmarks.at(other);
        if (shown && !m_forcedDisplay) {
            xnonMessage.Show(text("20543::You are already viewing this data in a waveform."),
                             text("20000::Zeltor Ventilator Tester"), kNoticeMilliseconds, *this);
            xfvmMenu.model().setAllowInfoBox(false);
        } else {
            xfvmMenu.model().setAllowInfoBox(true);
            xnonMessage.Hide();
            const ZeltorGraph::IGraphData& selected = com::required(item);
            if (selected.GraphType() == ZeltorGraph::egtTrendGraph)
                std::dynamic_pointer_cast<CTrendParameter>(item)->ApplyLimits(m_selectedStandard);
            else
                coupleTimeAxes(currentPane, otherPane, selected);
            const int32_t start = selected.GraphType() == ZeltorGraph::egtWaveformGraph ? otherPane.CurrentX() : 0;
            currentPane.CreatePipeLine(item, start);
            m_paneBookmarks.at(current) = bookmark;
        }
        updateCreateSnapshotButton();
    });
}

void XFullscreenView::coupleTimeAxes(ZeltorGraph::XGraph& current, ZeltorGraph::XGraph& other,
                                     const ZeltorGraph::IGraphData& item)
{
    const auto shown = other.GraphData();
    if (!shown || shown->GraphType() != item.GraphType())
        return;
    const auto& table = dynamic_cast<const CZeltorMeasurementTable&>(item);
    const auto& otherTable = dynamic_cast<const CZeltorMeasurementTable&>(*shown);
    if (table.Parent() == otherTable.Parent()) {
        current.SetSyncMaster(&other);
        other.SetSyncMaster(&current);
    } else {
        current.SetSyncMaster(nullptr);
        other.SetSyncMaster(nullptr);
    }
}

void XFullscreenView::updateCreateSnapshotButton()
{
    const auto setCreateEnabled = [this](bool enabled) {
        xfvmMenu.model().setButtonEnabled(FullscreenMenuModel::EButtonRow::Snapshot, 0, enabled);
    };
    if (!com::required(m_window).Running()) {
        setCreateEnabled(false);
        return;
    }
    bool live = false;
    for (const auto& graph : xgsGraphs) {
        const auto shown = graph->GraphData();
        live = live || (shown && shown->GraphType() == ZeltorGraph::egtWaveformGraph);
    }
    setCreateEnabled(live);
}

void XFullscreenView::takeSnapshot()
{
    com::untilFirstFailure([&] {
        int32_t currentX = 0;
        for (const auto& graph : xgsGraphs) {
            const auto shown = graph->GraphData();
            if (shown && shown->GraphType() == ZeltorGraph::egtWaveformGraph) {
                currentX = graph->CurrentX();
                graph->DestroyPipeline();
            }
        }
        emit CreateSnapshot(currentX);

        // The panes that showed the live tables now show them frozen, under the new snapshot.
        const int32_t remembered = m_currentPane;
        {
            const com::FlagGuard forced(m_forcedDisplay);
            for (int32_t index = 0; index < kPanes; ++index) {
                m_currentPane = index;
                const auto table = std::dynamic_pointer_cast<CZeltorMeasurementTable>(pane(index).GraphData());
                if (!table)
                    continue;
                xfvmMenu.model().SelectItemByBM(
                    xfvmMenu.model().GetSnapshotBookmark(table->Caption(true), com::required(table->Parent()).Key()));
            }
        }
        activatePane(remembered);
        xfvmMenu.BeginEdit();
    });
}

void XFullscreenView::AddSnapshot(const std::shared_ptr<CWaveformData>& snapshot)
{
    com::untilFirstFailure([&] {
        xfvmMenu.model().AddSnapshot(snapshot);
        const int32_t firstEntry = xfvmMenu.model().list().count() > 0 ? xfvmMenu.model().list().bookmark(0) : 0;
        for (const int32_t index : {1 - m_currentPane, m_currentPane}) {
            // Only a pane on a waveform table has a row under the new snapshot; a pane whose row
            // is not found keeps the one it has.
            const auto shown = pane(index).GraphData();
            if (!shown || shown->GraphType() == ZeltorGraph::egtTrendGraph)
                continue;
            int32_t& bookmark = m_paneBookmarks.at(static_cast<size_t>(index));
            const int32_t moved = xfvmMenu.model().GetSnapshotBookmark(xfvmMenu.model().GetItemText(bookmark),
                                                                       com::required(snapshot).Key());
            if (moved == 0 || moved == firstEntry)
                continue;
            bookmark = moved;
            xfvmMenu.model().SetActiveItem(bookmark);
        }
        xfvmMenu.MenuInfo().BeginEdit();
    });
}

void XFullscreenView::openStartTrendDialog()
{
    com::ignoreFailure([&] {
        const auto& test = dynamic_cast<const CTestVentilator&>(com::required(m_testElement));
        xstStartTrend.Initialize(ZeltorConverter::GMiscConverters::SecondsToTimeString(test.ElapsedTime()));
    });
    com::ignoreFailure([&] { xstStartTrend.show(); });
    com::ignoreFailure([&] { xstStartTrend.setFocus(); });
    com::ignoreFailure([&] { xstStartTrend.raise(); });
}

void XFullscreenView::startNewTrend(const QString& description, int32_t interval)
{
    com::untilFirstFailure([&] {
        // A trend sampled every 0 seconds or less would stop every later tick of the run's clock;
        // one started outside a run would never be sampled.
        if (interval < 1 || !com::required(m_window).Running())
            return;
        const QString title =
            description.isEmpty() ? ZeltorConverter::GMiscConverters::SecondsToTimeString(m_elapsedTime) : description;
        CTrendCollection& trends = com::required(m_trends);
        // The counter passes over the keys the result already holds.
        QString key;
        do
            key = QStringLiteral("Trend%1").arg(++m_trendCounter);
        while (trends.Item(key));
        const auto configuration =
            std::dynamic_pointer_cast<IZeltorConfiguration>(com::required(m_testElement).Configuration());
        const auto parameters = com::required(configuration).Parameters();
        const auto trend = trends.Add(key, com::required(parameters));
        com::required(trend).Initialize(title, interval, m_elapsedTime);
        trend->Start();
        xfvmMenu.model().AddTrend(trend);
        xfvmMenu.model().setButtonEnabled(FullscreenMenuModel::EButtonRow::Trend, 0, false);
        xstStartTrend.hide();
    });
}

void XFullscreenView::ask(EPendingAction action, const ZeltorGraph::IGraphDataParent& item, const QString& message)
{
    m_pendingAction = action;
    m_pendingItemType = item.ParentType();
    m_pendingItemKey = item.Key();
    xqryQuery.Show(message, XQuery::eqsYesNo, text("20526::Please confirm"));
}

void XFullscreenView::stopTrendAsked(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& item)
{
    com::ignoreFailure([&] {
        if (com::required(item).ParentType() == ZeltorGraph::egtTrendGraph)
            ask(epaStopTrend, *item, text("20518::Stop current trend?"));
    });
}

void XFullscreenView::deleteAsked(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& item)
{
    com::untilFirstFailure([&] {
        const auto type = com::required(item).ParentType();
        if (type == ZeltorGraph::egtWaveformGraph)
            return;
        const QString question = type == ZeltorGraph::egtTrendGraph
                                     ? text("20540::Are you sure you wish to delete the trend")
                                     : text("20532::Are you sure you wish to delete the snapshot");
        ask(epaDelete, *item, question + QStringLiteral("\r\n'") + item->Title() + QLatin1Char('\''));
    });
}

void XFullscreenView::truncateAsked(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& item)
{
    com::untilFirstFailure([&] {
        if (com::required(item).ParentType() != ZeltorGraph::egtSnapshotGraph)
            return;
        ask(epaTruncate, *item,
            text("20557::Warning! Truncating a snapshot cannot be undone.") + QStringLiteral("\r\n")
                + text("20558::Proceed?"));
    });
}

void XFullscreenView::answeredYes()
{
    com::untilFirstFailure([&] {
        switch (m_pendingAction) {
        case epaDelete:
            if (m_pendingItemType == ZeltorGraph::egtTrendGraph) {
                com::required(m_trends).Remove(m_pendingItemKey);
                xfvmMenu.model().RemoveTrend(m_pendingItemKey);
                if (m_trends->Count() == 0)
                    xfvmMenu.model().RemoveHeader(FullscreenMenuModel::ehTrends);
            } else if (m_pendingItemType == ZeltorGraph::egtSnapshotGraph) {
                com::required(m_snapshots).Remove(m_pendingItemKey);
                xfvmMenu.model().RemoveSnapshot(m_pendingItemKey);
                if (m_snapshots->Count() == 0)
                    xfvmMenu.model().RemoveHeader(FullscreenMenuModel::ehSnapshots);
            }
            clearPendingAction();
            xfvmMenu.model().SelectHighLightedItem();
            break;
        case epaStopTrend:
            if (const auto last = com::required(m_trends).LastTrend(); last && last->Active()) {
                last->Stop();
                FullscreenMenuModel& menu = xfvmMenu.model();
                menu.setButtonEnabled(FullscreenMenuModel::EButtonRow::Trend, 0, true);
                menu.setButtonEnabled(FullscreenMenuModel::EButtonRow::Trend, 2, true);
                menu.setButtonEnabled(FullscreenMenuModel::EButtonRow::Trend, 1, false);
            }
            break;
        case epaTruncate:
            if (const auto snapshot = com::required(m_snapshots).Item(m_pendingItemKey))
                snapshot->Truncate();
            break;
        case epaNone:
            break;
        }
    });
}

void XFullscreenView::clearPendingAction()
{
    m_pendingAction = epaNone;
    m_pendingItemType = 0;
    m_pendingItemKey.clear();
}

void XFullscreenView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit ExitFullScreen();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool XFullscreenView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        for (int32_t index = 0; index < kPanes; ++index)
            if (watched == xgsGraphs[static_cast<size_t>(index)])
                activatePane(index);
    return QWidget::eventFilter(watched, event);
}

void XFullscreenView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    activatePane(0);
}

void XFullscreenView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void XFullscreenView::layOut()
{
    const int width = widgets::pixelsToTwips(this->width());
    const int height = widgets::pixelsToTwips(this->height());
    const auto centre = [&](QWidget& box) {
        box.move(widgets::twipsToPixels(width / 2) - box.width() / 2,
                 widgets::twipsToPixels(height / 2) - box.height() / 2);
    };
    centre(xstStartTrend);
    centre(xqryQuery);
    const int menuLeft = width - kMenuFromRight;
    xfvmMenu.setGeometry(widgets::twipsRect(menuLeft, 0, kMenuWidth, std::max(0, height - 60)));
    const int paneWidth = std::max(0, menuLeft - 60);
    pane(0).setGeometry(widgets::twipsRect(30, 0, paneWidth, std::max(0, height / 2 - 30)));
    pane(1).setGeometry(widgets::twipsRect(30, height / 2 + 30, paneWidth, std::max(0, height / 2 - 60)));
}

} // namespace ZeltorTests
