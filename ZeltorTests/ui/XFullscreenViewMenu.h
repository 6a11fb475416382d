#pragma once

#include "ui/XFullScreenMenuInfo.h"

#include "GraphInterfaces.h"

#include "widgets/TreeListWidget.h"

#include <QGroupBox>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace ZeltorTests {

class CResultVentilator;
class CTrend;
class CTrendParameter;
class CWaveformData;

// The side menu of the full-screen live view: one tree of what the view can draw (the live
// waveforms, the trends with a table of their parameters' minimum and maximum, the snapshots with
// their channels), the information panel under it and the trend and snapshot buttons. It owns
// no data: it holds the data items and their records and tells the view what the user picked.
//
// Members and handlers pass no error on: a failing statement is skipped and the next one runs.
class XFullscreenViewMenu final : public QWidget {
    Q_OBJECT

public:
    enum EHeader : int32_t { ehTrends = 1, ehSnapshots = 2 };

    explicit XFullscreenViewMenu(QWidget* parent = nullptr);
    ~XFullscreenViewMenu() override;

    void setAllowInfoBox(bool allow) { m_infoBoxAllowed = allow; }
    XFullScreenMenuInfo& MenuInfo() { return xmiInfo; }
    // Index 0 start, 1 stop, 2 delete; 0 create, 1 truncate, 2 delete. Another index is an error.
    QPushButton& TrendButton(int32_t index);
    QPushButton& SnapshotButton(int32_t index);
    widgets::TreeListModel& list() { return tliList.model(); }
    const widgets::TreeListWidget& listWidget() const { return tliList; }

    // Expands the highlighted entry and picks its first child, or picks the entry itself;
    // with no entry highlighted nothing is picked, the panel hidden.
    void SelectHighLightedItem();
    void BeginEdit();
    // Picks the entry with that bookmark as a click on it would.
    void SelectItemByBM(int32_t bookmark);
    void AddTrend(const std::shared_ptr<CTrend>& trend);
    void AddSnapshot(const std::shared_ptr<CWaveformData>& snapshot);
    // The bookmark of the entry with that text under the snapshot with that key: the first
    // entry's when the snapshot is not listed, 0 without a snapshots heading.
    int32_t GetSnapshotBookmark(const QString& itemText, const QString& snapshotKey);
    QString GetItemText(int32_t bookmark);
    // Lists the live waveforms of the result and its trends; its snapshots are added by the view.
    void Initialize(const CResultVentilator& result);
    // Remove a trend's or snapshot's entry; its heading is highlighted in its place.
    void RemoveTrend(const QString& key);
    void RemoveSnapshot(const QString& key);
    // Highlights the entry a pane shows and shows its record in the information panel.
    void SetActiveItem(int32_t bookmark);
    // Fills the view's panes with the live pressure and flow waveforms (`setCurrentPane` picks
    // the pane each is drawn into) and enables the buttons of a run.
    void StartTest(const std::function<void(int32_t pane)>& setCurrentPane);
    void StopTest();
    // The live tables of a new live waveform take the place of the old ones in their entries.
    void UpdateWaveformReferences(const std::shared_ptr<CWaveformData>& waveform);
    void RemoveHeader(int32_t which);

signals:
    void ExitFullScreen();
    void ItemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& igdSelected, int32_t iItemBM);
    void StartTrend();
    void StopTrend(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& igdp);
    void CreateSnapshot();
    void Truncate(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& igdp);
    void TitleChanged();
    void DeleteGraphDataParent(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& igdp);
    void BeforeItemClick(bool fOverride);
    void AfterItemClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A click in a trend's table: the trend's entry, by bookmark, and the row.
    struct TableClick {
        int32_t ownerBookmark = 0;
        int row = 0;
    };

    int addListItem(int parentIndex, const QString& caption, double fontSize,
                    std::shared_ptr<com::Object> record = nullptr);
    int addHeader(const char* caption, int32_t& bookmark, bool& present);
    // The index of a heading from its bookmark, or a new heading.
    int headerIndex(const char* caption, int32_t& bookmark, bool& present);
    void expandHeadersFor(int32_t opened);
    // A trend's or snapshot's entry under its heading (made when missing), the headings opened;
    // its index, or -1 when it could not be added.
    int addRecordEntry(const char* headerCaption, int32_t& header, bool& headerPresent,
                       const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record);
    void addTableEntries(int parentIndex, const CWaveformData& waveform);
    void setUpTrendTable(widgets::TreeListTable& table);
    void addTrendParameterRow(widgets::TreeListTable& table, const std::shared_ptr<CTrendParameter>& parameter);
    void setActiveTrend(const std::shared_ptr<CTrend>& trend);
    void itemClick(int index);
    void tableClick(widgets::TreeListTable& table, int row);
    void raiseItemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& item, int index);
    void showInfoBox(int index);
    void hideInfoBox();
    void updateButtons();
    // The stop and delete trend, truncate and delete snapshot buttons: nothing to act on.
    void disableRecordButtons();
    void trendButtonClicked(int32_t index);
    void snapshotButtonClicked(int32_t index);
    void activeTrendSample();
    void infoTitleChanged(int32_t bookmark, const QString& title);
    // Removes the first entry from the heading on whose record `matches`.
    void removeRecordEntry(int32_t headerBookmark, const std::function<bool(const com::Object&)>& matches);
    // A remembered table click whose trend entry is gone is not replayed.
    void forgetRemovedTableClick();
    void layOut();

    widgets::TreeListWidget tliList{this};
    XFullScreenMenuInfo xmiInfo{this};
    QWidget pboButtons{this};
    QGroupBox fraTrendButtons{&pboButtons};
    QGroupBox fraSnaphotButtons{&pboButtons};
    std::array<QPushButton*, 3> cmdTrend{};
    std::array<QPushButton*, 3> cmdSnapshot{};
    QPushButton* cmdExit = nullptr;

    int32_t m_trendsHeader = 0;
    int32_t m_waveformsHeader = 0;
    int32_t m_snapshotsHeader = 0;
    std::array<int32_t, 3> m_waveformEntries{};
    bool m_trendsHeaderPresent = false;
    bool m_snapshotsHeaderPresent = false;
    bool m_trendsLoaded = false;
    bool m_testRunning = false;
    bool m_infoBoxAllowed = false;
    std::shared_ptr<ZeltorGraph::IGraphDataParent> m_currentParent;
    std::optional<TableClick> m_rememberedTableClick;
    std::shared_ptr<CTrend> mctrActiveTrend;
    bool m_firstSampleReplayDone = false;
};

} // namespace ZeltorTests
