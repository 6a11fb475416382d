#include "ui/FullscreenMenuModel.h"

#include "elements/CResultVentilator.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"
#include "ui/TrendMinMaxTable.h"

#include "TranslateControls.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"

#include <QScopeGuard>

namespace ZeltorTests {

namespace {

constexpr double kHeaderFontSize = 12.0;
constexpr double kEntryFontSize = 10.0;
constexpr uint32_t kWhite = 0xFFFFFF;

const char* const kWaveformsCaption = "20378::Waveforms";

// Drawing of the list held for the length of a scope, shown again however the scope ends.
class RedrawHeld {
public:
    explicit RedrawHeld(widgets::TreeListModel& list) : m_list(list) { m_list.setRedraw(false); }
    ~RedrawHeld() { m_list.setRedraw(true); }
    RedrawHeld(const RedrawHeld&) = delete;
    RedrawHeld& operator=(const RedrawHeld&) = delete;

private:
    widgets::TreeListModel& m_list;
};

} // namespace

FullscreenMenuModel::FullscreenMenuModel(widgets::TreeListModel& list, Listener& listener)
    : m_list(list), m_listener(listener)
{
    m_list.setSeparator(TrendMinMaxTable::kColumnSeparator);
    m_list.onEntryClick = [this](int index) { itemClick(index); };
    m_list.onTableClick = [this](widgets::TreeListTable& table, int row) { tableClick(table, row); };
}

FullscreenMenuModel::~FullscreenMenuModel()
{
    setActiveTrend(nullptr);
    m_list.onEntryClick = nullptr;
    m_list.onTableClick = nullptr;
}

bool FullscreenMenuModel::buttonEnabled(EButtonRow row, int32_t index) const
{
    if (index < 0 || index > 2)
        throw com::Error::subscript();
    const auto& buttons = row == EButtonRow::Trend ? m_trendButtons : m_snapshotButtons;
    return buttons[static_cast<size_t>(index)];
}

void FullscreenMenuModel::setButtonEnabled(EButtonRow row, int32_t index, bool enabled)
{
    if (index < 0 || index > 2)
        throw com::Error::subscript();
    auto& buttons = row == EButtonRow::Trend ? m_trendButtons : m_snapshotButtons;
    buttons[static_cast<size_t>(index)] = enabled;
    m_listener.buttonEnabledChanged(row, index, enabled);
}

void FullscreenMenuModel::buttonClicked(EButtonRow row, int32_t index)
{
    if (row == EButtonRow::Trend) {
        switch (index) {
        case 0: m_listener.startTrend(); break;
        case 1: m_listener.stopTrend(m_currentParent); break;
        case 2: m_listener.deleteGraphDataParent(m_currentParent); break;
        default: break;
        }
        return;
    }
    switch (index) {
    case 0:
        m_listener.createSnapshot();
        setButtonEnabled(EButtonRow::Snapshot, 2, true);
        break;
    case 1: m_listener.truncate(m_currentParent); break;
    case 2: m_listener.deleteGraphDataParent(m_currentParent); break;
    default: break;
    }
}

int FullscreenMenuModel::addListItem(int parentIndex, const QString& caption, double fontSize,
                                     std::shared_ptr<com::Object> record)
{
    m_list.add(caption, parentIndex);
    const int index = m_list.lastAdded();
    m_list.setFontSize(index, fontSize);
    m_list.setTextColor(index, kWhite);
    if (record)
        m_list.setData(index, std::move(record));
    return m_list.lastAdded();
}

int FullscreenMenuModel::addHeader(const char* caption, int32_t& bookmark, bool& present)
{
    const int index = addListItem(-1, Zeltor::translated(QString::fromUtf8(caption)), kHeaderFontSize);
    present = true;
    bookmark = m_list.bookmark(index);
    return index;
}

int FullscreenMenuModel::headerIndex(const char* caption, int32_t& bookmark, bool& present)
{
    if (present)
        return m_list.indexOfBookmark(bookmark);
    return addHeader(caption, bookmark, present);
}

void FullscreenMenuModel::expandHeadersFor(int32_t opened)
{
    m_list.setAllExpanded(false);
    if (m_waveformsHeader != 0)
        com::ignoreFailure([&] { m_list.setExpanded(m_list.indexOfBookmark(m_waveformsHeader), true); });
    const bool otherPresent = opened == m_trendsHeader ? m_snapshotsHeaderPresent : m_trendsHeaderPresent;
    const int32_t other = opened == m_trendsHeader ? m_snapshotsHeader : m_trendsHeader;
    if (otherPresent)
        com::ignoreFailure([&] { m_list.setExpanded(m_list.indexOfBookmark(other), true); });
    com::ignoreFailure([&] { m_list.setExpanded(m_list.indexOfBookmark(opened), true); });
}

void FullscreenMenuModel::addTableEntries(int parentIndex, const CWaveformData& waveform)
{
    for (const auto& table : waveform.ChannelTables())
        com::ignoreFailure([&] { addListItem(parentIndex, table->Caption(true), kEntryFontSize, table); });
}

void FullscreenMenuModel::Initialize(const CResultVentilator& result)
{
    const RedrawHeld held(m_list);
    com::ignoreFailure([&] { m_list.clear(); });
    m_trendsHeaderPresent = false;
    m_snapshotsHeaderPresent = false;
    m_trendsLoaded = false;
    m_rememberedTableClick.reset();
    bool waveformsPresent = false;
    int header = -1;
    com::ignoreFailure([&] { header = addHeader(kWaveformsCaption, m_waveformsHeader, waveformsPresent); });
    com::ignoreFailure([&] {
        const CWaveformData& waveform = com::required(result.WaveformData());
        const auto& tables = waveform.ChannelTables();
        for (size_t channel = 0; channel < tables.size(); ++channel)
            com::ignoreFailure([&] {
                const int index = addListItem(header, tables[channel]->Caption(true), kEntryFontSize, tables[channel]);
                m_waveformEntries[channel] = m_list.bookmark(index);
            });
    });
    com::ignoreFailure([&] {
        const auto& trends = result.Trends();
        if (!trends || trends->Count() <= 0)
            return;
        m_trendsLoaded = true;
        addHeader(kTrendsCaption, m_trendsHeader, m_trendsHeaderPresent);
        for (const auto& trend : *trends)
            AddTrend(trend);
    });
}

int FullscreenMenuModel::addRecordEntry(const char* headerCaption, int32_t& header, bool& headerPresent,
                                        const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record)
{
    int parent = -1;
    com::ignoreFailure([&] { parent = headerIndex(headerCaption, header, headerPresent); });
    com::ignoreFailure([&] { expandHeadersFor(header); });
    int entry = -1;
    com::ignoreFailure([&] { entry = addListItem(parent, com::required(record).Title(), kEntryFontSize, record); });
    return entry;
}

void FullscreenMenuModel::AddTrend(const std::shared_ptr<CTrend>& trend)
{
    setActiveTrend(trend);
    const RedrawHeld held(m_list);
    const int entry = addRecordEntry(kTrendsCaption, m_trendsHeader, m_trendsHeaderPresent, trend);
    com::ignoreFailure([&] {
        widgets::TreeListTable& table = m_list.table(entry);
        TrendMinMaxTable::setUp(table);
        const int32_t bookmark = m_list.bookmark(entry);
        for (const auto& parameter : *trend)
            com::ignoreFailure([&] { TrendMinMaxTable::addRow(table, parameter, bookmark); });
    });
}

void FullscreenMenuModel::AddSnapshot(const std::shared_ptr<CWaveformData>& snapshot)
{
    {
        const RedrawHeld held(m_list);
        const int entry = addRecordEntry(kSnapshotsCaption, m_snapshotsHeader, m_snapshotsHeaderPresent, snapshot);
        com::ignoreFailure([&] { addTableEntries(entry, *snapshot); });
    }
    com::ignoreFailure([&] { setButtonEnabled(EButtonRow::Snapshot, 0, false); });
}

void FullscreenMenuModel::removeRecordEntry(int32_t headerBookmark,
                                            const std::function<bool(const com::Object&)>& matches)
{
    const int header = m_list.indexOfBookmark(headerBookmark);
    for (int index = std::max(0, header); index < m_list.count(); ++index) {
        const auto record = m_list.data(index);
        if (record && matches(*record)) {
            m_list.remove(index);
            forgetRemovedTableClick();
            // The removed entry's heading takes the highlight, so that SelectHighLightedItem
            // picks the heading's first entry; when the heading goes too, nothing is left
            // highlighted.
            if (const int heading = m_list.indexOfBookmark(headerBookmark); heading != -1)
                m_list.select(heading);
            return;
        }
    }
}

void FullscreenMenuModel::forgetRemovedTableClick()
{
    if (m_rememberedTableClick && m_list.indexOfBookmark(m_rememberedTableClick->ownerBookmark) == -1)
        m_rememberedTableClick.reset();
}

void FullscreenMenuModel::RemoveTrend(const QString& key)
{
    com::untilFirstFailure([&] {
        removeRecordEntry(m_trendsHeader, [&](const com::Object& record) {
            const auto* trend = dynamic_cast<const CTrend*>(&record);
            return trend && trend->Key() == key;
        });
    });
}

void FullscreenMenuModel::RemoveSnapshot(const QString& key)
{
    if (!m_snapshotsHeaderPresent)
        return;
    com::untilFirstFailure([&] {
        removeRecordEntry(m_snapshotsHeader, [&](const com::Object& record) {
            const auto* snapshot = dynamic_cast<const CWaveformData*>(&record);
            return snapshot && snapshot->Key() == key;
        });
    });
}

int32_t FullscreenMenuModel::GetSnapshotBookmark(const QString& itemText, const QString& snapshotKey)
{
    if (!m_snapshotsHeaderPresent)
        return 0;
    int32_t bookmark = 0;
    com::untilFirstFailure([&] {
        const int header = m_list.indexOfBookmark(m_snapshotsHeader);
        for (int index = std::max(0, header); index < m_list.count(); ++index) {
            const auto* snapshot = dynamic_cast<const CWaveformData*>(m_list.data(index).get());
            if (snapshot && snapshot->Key() == snapshotKey) {
                bookmark = m_list.bookmark(m_list.findText(itemText, index, m_list.count()));
                return;
            }
        }
        bookmark = m_list.bookmark(0);
    });
    return bookmark;
}

QString FullscreenMenuModel::GetItemText(int32_t bookmark)
{
    QString text;
    com::untilFirstFailure([&] { text = m_list.text(m_list.indexOfBookmark(bookmark)); });
    return text;
}

void FullscreenMenuModel::UpdateWaveformReferences(const std::shared_ptr<CWaveformData>& waveform)
{
    if (!waveform)
        return;
    for (const auto& table : waveform->ChannelTables())
        com::ignoreFailure([&] {
            const int index = m_list.findText(table->Caption(true), 0, m_list.count());
            if (index > 0)
                m_list.setData(index, table);
        });
}

void FullscreenMenuModel::SetActiveItem(int32_t bookmark)
{
    com::untilFirstFailure([&] {
        const int index = m_list.indexOfBookmark(bookmark);
        if (index == -1)
            return;
        m_list.select(index);
        const int owner = m_list.owner(index);
        const auto record = m_list.data(owner);
        if (!record) {
            hideInfoBox();
            return;
        }
        // A live waveform's entry is its own owner: its record is the table of the live set.
        if (const auto table = std::dynamic_pointer_cast<ZeltorGraph::IGraphData>(record))
            m_currentParent = table->Parent();
        else
            m_currentParent = std::dynamic_pointer_cast<ZeltorGraph::IGraphDataParent>(record);
        updateButtons();
        const auto type = com::required(m_currentParent).ParentType();
        if (type == ZeltorGraph::egtTrendGraph || type == ZeltorGraph::egtSnapshotGraph)
            showInfoBox(owner);
        else
            hideInfoBox();
    });
}

void FullscreenMenuModel::SelectItemByBM(int32_t bookmark)
{
    com::untilFirstFailure([&] { itemClick(m_list.indexOfBookmark(bookmark)); });
}

void FullscreenMenuModel::itemClick(int index)
{
    com::ignoreFailure([&] { m_listener.infoBoxEnabled(true); });
    com::ignoreFailure([&] {
        const auto record = m_list.data(index);
        if (!record) {
            m_currentParent = nullptr;
            hideInfoBox();
        } else if (const auto item = std::dynamic_pointer_cast<ZeltorGraph::IGraphData>(record)) {
            m_currentParent = item->Parent();
            raiseItemSelected(item, index);
        } else if (const auto parent = std::dynamic_pointer_cast<ZeltorGraph::IGraphDataParent>(record)) {
            m_currentParent = parent;
            showInfoBox(m_list.owner(index));
        }
    });
    com::ignoreFailure([&] { updateButtons(); });
}

auto FullscreenMenuModel::refusalForThisSelectionOnly()
{
    // The view refuses a selection already on show by not allowing its panel; that answer holds
    // for the panel of this selection only, not for a record picked later.
    return qScopeGuard([this] { m_infoBoxAllowed = true; });
}

void FullscreenMenuModel::raiseItemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& item, int index)
{
    const int owner = m_list.owner(index);
    const auto answered = refusalForThisSelectionOnly();
    m_listener.itemSelected(item, m_list.bookmark(index));
    if (item->GraphType() != ZeltorGraph::egtWaveformGraph)
        showInfoBox(owner);
    else
        hideInfoBox();
}

void FullscreenMenuModel::tableClick(widgets::TreeListTable& table, int row)
{
    com::untilFirstFailure([&] {
        const int ownerIndex = table.ownerIndex();
        m_rememberedTableClick = TableClick{m_list.bookmark(ownerIndex), row};
        if (row == 0)
            return;
        const auto item = std::dynamic_pointer_cast<ZeltorGraph::IGraphData>(table.cell(row, 0).data.toObject());
        if (!item)
            return;
        const int32_t bookmark = table.cell(row, 1).data.toInt32();
        m_currentParent = item->Parent();
        const auto answered = refusalForThisSelectionOnly();
        m_listener.itemSelected(item, bookmark);
        if (m_list.data(ownerIndex)) {
            showInfoBox(ownerIndex);
            updateButtons();
        }
    });
}

void FullscreenMenuModel::showInfoBox(int index)
{
    m_listener.infoBoxEnabled(true);
    m_listener.infoBoxOpened(true);
    if (m_infoBoxAllowed) {
        std::shared_ptr<ZeltorGraph::IGraphDataParent> shown = m_currentParent;
        m_listener.infoBoxFilled(shown, m_list.bookmark(index));
        m_currentParent = shown;
    }
}

void FullscreenMenuModel::hideInfoBox()
{
    m_listener.infoBoxEnabled(false);
    m_listener.infoBoxOpened(false);
}

void FullscreenMenuModel::updateButtons()
{
    if (!m_currentParent)
        return;
    const auto type = m_currentParent->ParentType();
    if (type == ZeltorGraph::egtWaveformGraph) {
        disableRecordButtons();
    } else if (type == ZeltorGraph::egtTrendGraph) {
        const auto* trend = dynamic_cast<const CTrend*>(m_currentParent.get());
        const bool active = trend && trend->Active();
        setButtonEnabled(EButtonRow::Trend, 2, !active);
        setButtonEnabled(EButtonRow::Trend, 1, !m_trendsLoaded && m_testRunning && active);
        // Without a trend of the run (after it) the start button stays as it is. A trend is
        // sampled only while the test runs: the last trend of a result run before is no
        // reason to start one.
        if (mctrActiveTrend)
            setButtonEnabled(EButtonRow::Trend, 0, m_testRunning && !mctrActiveTrend->Active());
        setButtonEnabled(EButtonRow::Snapshot, 2, false);
        setButtonEnabled(EButtonRow::Snapshot, 1, false);
    } else if (type == ZeltorGraph::egtSnapshotGraph) {
        setButtonEnabled(EButtonRow::Trend, 2, false);
        setButtonEnabled(EButtonRow::Trend, 1, false);
        setButtonEnabled(EButtonRow::Snapshot, 2, true);
        setButtonEnabled(EButtonRow::Snapshot, 1, true);
    }
}

void FullscreenMenuModel::disableRecordButtons()
{
    for (const EButtonRow row : {EButtonRow::Trend, EButtonRow::Snapshot})
        for (const int32_t index : {1, 2})
            setButtonEnabled(row, index, false);
}

void FullscreenMenuModel::SelectHighLightedItem()
{
    // What was picked before (a record just deleted) is let go first: with nothing highlighted
    // nothing stays picked, and the panel never shows a record that is gone.
    m_currentParent = nullptr;
    com::ignoreFailure([&] { hideInfoBox(); });
    disableRecordButtons();
    com::ignoreFailure([&] {
        int chosen = -1;
        for (int index = 0; index < m_list.count() && chosen == -1; ++index)
            if (m_list.highlighted(index))
                chosen = index;
        if (chosen == -1)
            return;
        if (m_list.hasChildren(chosen)) {
            m_list.setExpanded(chosen, true);
            chosen = m_list.firstChild(chosen);
            m_list.select(chosen);
        }
        SelectItemByBM(m_list.bookmark(chosen));
    });
}

void FullscreenMenuModel::StartTest(const std::function<void(int32_t pane)>& setCurrentPane)
{
    com::ignoreFailure([&] {
        setCurrentPane(1);
        itemClick(2);
    });
    com::ignoreFailure([&] {
        setCurrentPane(0);
        itemClick(1);
    });
    if (!m_trendsLoaded)
        setButtonEnabled(EButtonRow::Trend, 0, true);
    setButtonEnabled(EButtonRow::Snapshot, 0, true);
    setButtonEnabled(EButtonRow::Snapshot, 2, false);
    setButtonEnabled(EButtonRow::Trend, 2, false);
    m_testRunning = true;
}

void FullscreenMenuModel::StopTest()
{
    // The headings stay known, so a trend or snapshot deleted after the run takes its emptied
    // heading with it; Initialize starts the list anew.
    m_trendsLoaded = false;
    setActiveTrend(nullptr);
    setButtonEnabled(EButtonRow::Trend, 0, false);
    setButtonEnabled(EButtonRow::Trend, 1, false);
    setButtonEnabled(EButtonRow::Snapshot, 0, false);
    m_testRunning = false;
}

void FullscreenMenuModel::RemoveHeader(int32_t which)
{
    com::untilFirstFailure([&] {
        int32_t bookmark = 0;
        if (which == ehTrends) {
            bookmark = m_trendsHeader;
            m_trendsHeaderPresent = false;
        } else if (which == ehSnapshots) {
            bookmark = m_snapshotsHeader;
            m_snapshotsHeaderPresent = false;
        }
        m_list.remove(m_list.indexOfBookmark(bookmark));
        forgetRemovedTableClick();
    });
}

void FullscreenMenuModel::setActiveTrend(const std::shared_ptr<CTrend>& trend)
{
    if (mctrActiveTrend)
        mctrActiveTrend->setAddSampleListener(nullptr);
    mctrActiveTrend = trend;
    if (mctrActiveTrend)
        mctrActiveTrend->setAddSampleListener([this] { activeTrendSample(); });
}

void FullscreenMenuModel::activeTrendSample()
{
    com::ignoreFailure([&] { m_listener.trendSampled(); });
    com::ignoreFailure([&] { replayRememberedTableClick(); });
    const RedrawHeld held(m_list);
    com::ignoreFailure([&] { refreshActiveTrendTable(); });
}

void FullscreenMenuModel::replayRememberedTableClick()
{
    if (m_firstSampleReplayDone || !m_rememberedTableClick)
        return;
    m_firstSampleReplayDone = true;
    m_listener.beforeItemClick(true);
    const int owner = m_list.indexOfBookmark(m_rememberedTableClick->ownerBookmark);
    if (owner != -1)
        com::ignoreFailure([&] { tableClick(m_list.table(owner), m_rememberedTableClick->row); });
    m_listener.afterItemClick();
}

void FullscreenMenuModel::refreshActiveTrendTable()
{
    // The active trend's own entry, found by the trend itself: two trends described alike
    // each keep their own figures.
    const CTrend& trend = com::required(mctrActiveTrend);
    int entry = -1;
    for (int index = 0; index < m_list.count() && entry == -1; ++index)
        if (m_list.data(index).get() == static_cast<const com::Object*>(&trend))
            entry = index;
    if (entry == -1)
        return;
    TrendMinMaxTable::refresh(m_list.table(entry), trend);
}

void FullscreenMenuModel::infoTitleChanged(int32_t bookmark, const QString& title)
{
    com::ignoreFailure([&] {
        const int index = m_list.indexOfBookmark(bookmark);
        if (std::dynamic_pointer_cast<ZeltorGraph::IGraphDataParent>(m_list.data(index)))
            m_list.setText(index, title);
    });
    m_listener.titleChanged();
}

} // namespace ZeltorTests
