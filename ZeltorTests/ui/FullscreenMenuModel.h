#pragma once

#include "GraphInterfaces.h"

#include "widgets/TreeListModel.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace ZeltorTests {

class CResultVentilator;
class CTrend;
class CWaveformData;

// What the full-screen view's side menu knows, without its widgets: one tree of what the view can
// draw (the live waveforms, the trends with a table of their parameters' minimum and maximum, the
// snapshots with their channels) over a tree-list model, the record picked last, the state of the
// trend and snapshot buttons, whether the information panel is open and the table click that the
// active trend's first sample shows again. It owns no data: it holds the data items and their
// records, and tells its listener what the user picked and what is to be shown.
//
// Members and handlers pass no error on: a failing statement is skipped and the next one runs.
class FullscreenMenuModel {
public:
    enum EHeader : int32_t { ehTrends = 1, ehSnapshots = 2 };
    static constexpr const char* kTrendsCaption = "20379::Trends";
    static constexpr const char* kSnapshotsCaption = "20380::Snapshots";
    // The two rows of command buttons: trends (0 start, 1 stop, 2 delete) and snapshots
    // (0 create, 1 truncate, 2 delete).
    enum class EButtonRow { Trend, Snapshot };

    // The side that shows the menu and the view that acts on the user's picks. Calls are
    // synchronous, in the order the menu makes them.
    class Listener {
    public:
        virtual ~Listener() = default;

        virtual void buttonEnabledChanged(EButtonRow row, int32_t index, bool enabled) = 0;
        // The panel's frame enabled or disabled, its contents unchanged.
        virtual void infoBoxEnabled(bool enabled) = 0;
        // The panel opened under the tree, or closed and emptied.
        virtual void infoBoxOpened(bool open) = 0;
        // The panel shows `record` for the entry with that bookmark; `record` is left holding
        // the record the panel keeps.
        virtual void infoBoxFilled(std::shared_ptr<ZeltorGraph::IGraphDataParent>& record, int32_t bookmark) = 0;
        // The active trend took a sample: the panel refreshes its sample fields.
        virtual void trendSampled() = 0;

        virtual void itemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& item, int32_t bookmark) = 0;
        virtual void startTrend() = 0;
        virtual void stopTrend(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record) = 0;
        virtual void createSnapshot() = 0;
        virtual void truncate(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record) = 0;
        virtual void deleteGraphDataParent(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record) = 0;
        virtual void titleChanged() = 0;
        // Around the replay of the remembered table click; `fOverride` is always true.
        virtual void beforeItemClick(bool fOverride) = 0;
        virtual void afterItemClick() = 0;
    };

    // Clicks on the list's entries and table rows come to the model.
    FullscreenMenuModel(widgets::TreeListModel& list, Listener& listener);
    ~FullscreenMenuModel();
    FullscreenMenuModel(const FullscreenMenuModel&) = delete;
    FullscreenMenuModel& operator=(const FullscreenMenuModel&) = delete;

    widgets::TreeListModel& list() { return m_list; }

    // Whether the panel is filled when a record is picked.
    void setAllowInfoBox(bool allow) { m_infoBoxAllowed = allow; }
    // Index 0 to 2; another index is an error.
    bool buttonEnabled(EButtonRow row, int32_t index) const;
    void setButtonEnabled(EButtonRow row, int32_t index, bool enabled);
    // A click on a button of that row; another index does nothing.
    void buttonClicked(EButtonRow row, int32_t index);
    // The panel reported that the user gave the record of that entry a new title.
    void infoTitleChanged(int32_t bookmark, const QString& title);

    // Expands the highlighted entry and picks its first child, or picks the entry itself;
    // with no entry highlighted nothing is picked, the panel hidden.
    void SelectHighLightedItem();
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
    void setActiveTrend(const std::shared_ptr<CTrend>& trend);
    void itemClick(int index);
    void tableClick(widgets::TreeListTable& table, int row);
    void raiseItemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& item, int index);
    // Lets the panel be filled again once the selection being raised has had its answer.
    auto refusalForThisSelectionOnly();
    void showInfoBox(int index);
    void hideInfoBox();
    void updateButtons();
    // The stop and delete trend, truncate and delete snapshot buttons: nothing to act on.
    void disableRecordButtons();
    void activeTrendSample();
    void replayRememberedTableClick();
    void refreshActiveTrendTable();
    // Removes the first entry from the heading on whose record `matches`.
    void removeRecordEntry(int32_t headerBookmark, const std::function<bool(const com::Object&)>& matches);
    // A remembered table click whose trend entry is gone is not replayed.
    void forgetRemovedTableClick();

    widgets::TreeListModel& m_list;
    Listener& m_listener;

    std::array<bool, 3> m_trendButtons{};
    std::array<bool, 3> m_snapshotButtons{};
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
