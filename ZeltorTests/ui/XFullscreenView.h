#pragma once

#include "elements/TestGuideWindow.h"
#include "ui/XFullscreenViewMenu.h"
#include "ui/XNonObtrusiveMsg.h"
#include "ui/XQuery.h"
#include "ui/XStartTrendDialog.h"

#include "XGraph.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

namespace Nelvar {
class IStandard;
class ITestElement;
} // namespace Nelvar

namespace ZeltorTests {

class CResultVentilator;
class CSnapshotColl;
class CTrendCollection;
class CWaveformData;

// The full-screen live view of a ventilator test: two graph panes stacked on the left, the side
// menu on the right. What the user picks in the menu is drawn in the current pane; the view
// also starts, stops and deletes trends and creates, truncates and deletes snapshots, each
// after its question, and follows the chosen standard on trend panes.
//
// Members and handlers stop at their first failing step and pass no error on; what was done
// before stays.
class XFullscreenView final : public QWidget, public IFullscreenView {
    Q_OBJECT

public:
    static constexpr int kPanes = 2;

    explicit XFullscreenView(QWidget* parent = nullptr);
    ~XFullscreenView() override;

    // IFullscreenView
    void Initialize(const std::shared_ptr<Nelvar::ITestElement>& test, ITestGuideWindow& form,
                    bool fInitMenu) override;
    void StartTest() override;
    void StopTest() override;
    void StepFrameRate(int32_t step) override;

    // What the test guide window tells the view.
    void setElapsedTime(int32_t seconds) { m_elapsedTime = seconds; }
    // Lists the trends and snapshots of a result that was run before.
    void DisplayResults(const CResultVentilator& result, ITestGuideWindow& form);
    // Lists a snapshot just taken; the panes move to its rows.
    void AddSnapshot(const std::shared_ptr<CWaveformData>& snapshot);
    void UpdateWaveformReferences(const std::shared_ptr<CWaveformData>& waveform);
    // Trend panes show the limits of that standard.
    void SelectStandard(const std::shared_ptr<Nelvar::IStandard>& standard);

    // The pane that the next selection is drawn into, without highlighting it.
    void setCurrentPane(int32_t pane) { m_currentPane = pane; }
    int32_t currentPane() const { return m_currentPane; }
    ZeltorGraph::XGraph& pane(int32_t index);
    int32_t paneBookmark(int32_t index) const { return m_paneBookmarks.at(static_cast<size_t>(index)); }
    XFullscreenViewMenu& menu() { return xfvmMenu; }
    XStartTrendDialog& startTrendDialog() { return xstStartTrend; }
    XQuery& query() { return xqryQuery; }
    XNonObtrusiveMsg& notice() { return xnonMessage; }

signals:
    void ExitFullScreen();
    void CreateSnapshot(int32_t iCurrentX);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum EPendingAction : int32_t { epaNone = 0, epaDelete = 1, epaStopTrend = 2, epaTruncate = 3 };

    void activatePane(int32_t index);
    void layOut();
    void itemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& item, int32_t bookmark);
    void coupleTimeAxes(ZeltorGraph::XGraph& current, ZeltorGraph::XGraph& other, const ZeltorGraph::IGraphData& item);
    void updateCreateSnapshotButton();
    void takeSnapshot();
    void openStartTrendDialog();
    void startNewTrend(const QString& description, int32_t interval);
    void ask(EPendingAction action, const ZeltorGraph::IGraphDataParent& item, const QString& message);
    void stopTrendAsked(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& item);
    void deleteAsked(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& item);
    void truncateAsked(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& item);
    void answeredYes();
    void clearPendingAction();

    XStartTrendDialog xstStartTrend{this};
    XQuery xqryQuery{this};
    XNonObtrusiveMsg xnonMessage{this};
    std::array<ZeltorGraph::XGraph*, kPanes> xgsGraphs{};
    XFullscreenViewMenu xfvmMenu{this};

    int32_t m_elapsedTime = 0;
    int32_t m_currentPane = 0;
    std::array<int32_t, kPanes> m_paneBookmarks{};
    bool m_initialised = false;
    std::shared_ptr<Nelvar::ITestElement> m_testElement;
    ITestGuideWindow* m_window = nullptr;
    std::shared_ptr<CTrendCollection> m_trends;
    std::shared_ptr<CSnapshotColl> m_snapshots;
    bool m_forcedDisplay = false;
    EPendingAction m_pendingAction = epaNone;
    int32_t m_pendingItemType = 0;
    QString m_pendingItemKey;
    std::shared_ptr<Nelvar::IStandard> m_selectedStandard;
    int32_t m_trendCounter = 0;
    bool m_savedForcedDisplay = false;
};

} // namespace ZeltorTests
