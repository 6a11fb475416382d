#include "ui/XFullscreenViewMenu.h"

#include "elements/CResultVentilator.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CTrendParameter.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"
#include "NamedControls.h"

#include "TranslateControls.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"
#include "format/Format.h"
#include "widgets/Twips.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace ZeltorTests {

using Zeltor::label;
using Zeltor::named;

namespace {

constexpr double kHeaderFontSize = 12.0;
constexpr double kEntryFontSize = 10.0;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kInfoBoxHeight = 3360;
constexpr int kGap = 60;
const QChar kColumnSeparator(94);

const char* const kWaveformsCaption = "20378::Waveforms";
const char* const kTrendsCaption = "20379::Trends";
const char* const kSnapshotsCaption = "20380::Snapshots";

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

QString formatted(float value, const CTrendParameter& parameter)
{
    return format::formatNumber(value, parameter.ValueFormat(), format::localeDecimalSeparator());
}

template <typename Statement>
void step(Statement&& statement)
{
    com::ignoreFailure(std::forward<Statement>(statement));
}

} // namespace

XFullscreenViewMenu::XFullscreenViewMenu(QWidget* parent)
    : QWidget(parent)
{
    tliList.setObjectName(QStringLiteral("tliList"));
    xmiInfo.setObjectName(QStringLiteral("xmiInfo"));
    pboButtons.setObjectName(QStringLiteral("pboButtons"));
    fraTrendButtons.setObjectName(QStringLiteral("fraTrendButtons"));
    fraSnaphotButtons.setObjectName(QStringLiteral("fraSnaphotButtons"));
    fraTrendButtons.setTitle(QString::fromUtf8(kTrendsCaption));
    fraSnaphotButtons.setTitle(QString::fromUtf8(kSnapshotsCaption));

    const std::array<const char*, 3> trendCaptions{"Start", "Stop", "Delete"};
    const std::array<const char*, 3> snapshotCaptions{"Create", "Truncate", "Delete"};
    auto* trendRow = new QHBoxLayout(&fraTrendButtons);
    auto* snapshotRow = new QHBoxLayout(&fraSnaphotButtons);
    for (int32_t index = 0; index < 3; ++index) {
        const auto slot = static_cast<size_t>(index);
        cmdTrend[slot] = named<QPushButton>(QStringLiteral("cmdTrend%1").arg(index).toLatin1().constData(),
                                            QString::fromUtf8(trendCaptions[slot]), &fraTrendButtons);
        cmdSnapshot[slot] =
            named<QPushButton>(QStringLiteral("cmdSnapshot%1").arg(index).toLatin1().constData(),
                               QString::fromUtf8(snapshotCaptions[slot]), &fraSnaphotButtons);
        trendRow->addWidget(cmdTrend[slot]);
        snapshotRow->addWidget(cmdSnapshot[slot]);
        // Nothing to start, stop, take or delete until a run or a selection says so.
        cmdTrend[slot]->setEnabled(false);
        cmdSnapshot[slot]->setEnabled(false);
        connect(cmdTrend[slot], &QPushButton::clicked, this, [this, index] { trendButtonClicked(index); });
        connect(cmdSnapshot[slot], &QPushButton::clicked, this, [this, index] { snapshotButtonClicked(index); });
    }
    cmdExit = named<QPushButton>("cmdExit", QStringLiteral("Exit"), &pboButtons);
    connect(cmdExit, &QPushButton::clicked, this, [this] { emit ExitFullScreen(); });
    auto* buttons = new QVBoxLayout(&pboButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(&fraTrendButtons);
    buttons->addWidget(&fraSnaphotButtons);
    buttons->addWidget(cmdExit);

    widgets::TreeListModel& model = list();
    model.setSeparator(kColumnSeparator);
    model.onEntryClick = [this](int index) { itemClick(index); };
    model.onTableClick = [this](widgets::TreeListTable& table, int row) { tableClick(table, row); };
    connect(&xmiInfo, &XFullScreenMenuInfo::TitleChanged, this,
            [this](int32_t bookmark, const QString& title) { infoTitleChanged(bookmark, title); });

    Zeltor::translateControls(*this);
    hideInfoBox();
}

XFullscreenViewMenu::~XFullscreenViewMenu()
{
    setActiveTrend(nullptr);
}

QPushButton& XFullscreenViewMenu::TrendButton(int32_t index)
{
    if (index < 0 || index > 2)
        throw com::Error::subscript();
    return *cmdTrend[static_cast<size_t>(index)];
}

QPushButton& XFullscreenViewMenu::SnapshotButton(int32_t index)
{
    if (index < 0 || index > 2)
        throw com::Error::subscript();
    return *cmdSnapshot[static_cast<size_t>(index)];
}

int XFullscreenViewMenu::addListItem(int parentIndex, const QString& caption, double fontSize,
                                     std::shared_ptr<com::Object> record)
{
    widgets::TreeListModel& model = list();
    model.add(caption, parentIndex);
    const int index = model.lastAdded();
    model.setFontSize(index, fontSize);
    model.setTextColor(index, kWhite);
    if (record)
        model.setData(index, std::move(record));
    return model.lastAdded();
}

int XFullscreenViewMenu::addHeader(const char* caption, int32_t& bookmark, bool& present)
{
    const int index = addListItem(-1, Zeltor::translated(QString::fromUtf8(caption)), kHeaderFontSize);
    present = true;
    bookmark = list().bookmark(index);
    return index;
}

int XFullscreenViewMenu::headerIndex(const char* caption, int32_t& bookmark, bool& present)
{
    if (present)
        return list().indexOfBookmark(bookmark);
    return addHeader(caption, bookmark, present);
}

void XFullscreenViewMenu::expandHeadersFor(int32_t opened)
{
    widgets::TreeListModel& model = list();
    model.setAllExpanded(false);
    if (m_waveformsHeader != 0)
        step([&] { model.setExpanded(model.indexOfBookmark(m_waveformsHeader), true); });
    const bool otherPresent = opened == m_trendsHeader ? m_snapshotsHeaderPresent : m_trendsHeaderPresent;
    const int32_t other = opened == m_trendsHeader ? m_snapshotsHeader : m_trendsHeader;
    if (otherPresent)
        step([&] { model.setExpanded(model.indexOfBookmark(other), true); });
    step([&] { model.setExpanded(model.indexOfBookmark(opened), true); });
}

void XFullscreenViewMenu::addTableEntries(int parentIndex, const CWaveformData& waveform)
{
    for (const auto& table : {waveform.FlowTable(), waveform.PressureTable(), waveform.VolumeTable()})
        step([&] { addListItem(parentIndex, table->Caption(true), kEntryFontSize, table); });
}

void XFullscreenViewMenu::Initialize(const CResultVentilator& result)
{
    widgets::TreeListModel& model = list();
    const RedrawHeld held(model);
    step([&] { model.clear(); });
    m_trendsHeaderPresent = false;
    m_snapshotsHeaderPresent = false;
    m_trendsLoaded = false;
    m_rememberedTableClick.reset();
    bool waveformsPresent = false;
    int header = -1;
    step([&] { header = addHeader(kWaveformsCaption, m_waveformsHeader, waveformsPresent); });
    step([&] {
        const CWaveformData& waveform = com::required(result.WaveformData());
        const std::array tables{waveform.FlowTable(), waveform.PressureTable(), waveform.VolumeTable()};
        for (size_t channel = 0; channel < tables.size(); ++channel)
            step([&] {
                const int index = addListItem(header, tables[channel]->Caption(true), kEntryFontSize, tables[channel]);
                m_waveformEntries[channel] = model.bookmark(index);
            });
    });
    step([&] {
        const auto& trends = result.Trends();
        if (!trends || trends->Count() <= 0)
            return;
        m_trendsLoaded = true;
        addHeader(kTrendsCaption, m_trendsHeader, m_trendsHeaderPresent);
        for (const auto& trend : *trends)
            AddTrend(trend);
    });
}

int XFullscreenViewMenu::addRecordEntry(const char* headerCaption, int32_t& header, bool& headerPresent,
                                        const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record)
{
    int parent = -1;
    step([&] { parent = headerIndex(headerCaption, header, headerPresent); });
    step([&] { expandHeadersFor(header); });
    int entry = -1;
    step([&] { entry = addListItem(parent, com::required(record).Title(), kEntryFontSize, record); });
    return entry;
}

void XFullscreenViewMenu::AddTrend(const std::shared_ptr<CTrend>& trend)
{
    setActiveTrend(trend);
    widgets::TreeListModel& model = list();
    const RedrawHeld held(model);
    const int entry = addRecordEntry(kTrendsCaption, m_trendsHeader, m_trendsHeaderPresent, trend);
    step([&] {
        widgets::TreeListTable& table = model.table(entry);
        setUpTrendTable(table);
        for (const auto& parameter : *trend)
            step([&] { addTrendParameterRow(table, parameter); });
    });
}

void XFullscreenViewMenu::setUpTrendTable(widgets::TreeListTable& table)
{
    widgets::TreeListStyle& style = table.style();
    style.fontSize = 8.0;
    style.bold = false;
    style.textColor = kWhite;
    style.backColor = 0;
    table.setColumnCount(4);
    const std::array<int, 3> widths{1900, 700, 700};
    const std::array<int, 3> alignments{widgets::TreeListStyle::kAlignLeft, widgets::TreeListStyle::kAlignRight,
                                        widgets::TreeListStyle::kAlignRight};
    const std::array<const char*, 3> captions{"20381::Parameter", "20382::Min", "20383::Max"};
    for (int column = 1; column <= 3; ++column) {
        const auto slot = static_cast<size_t>(column - 1);
        table.column(column).width = widths[slot];
        table.column(column).style.alignment = alignments[slot];
        widgets::TreeListStyle& header = table.cell(0, column);
        header.text = Zeltor::translated(QString::fromUtf8(captions[slot]));
        header.fontSize = 8.0;
        header.backColor = 0;
        header.alignment = alignments[slot];
    }
}

void XFullscreenViewMenu::addTrendParameterRow(widgets::TreeListTable& table,
                                               const std::shared_ptr<CTrendParameter>& parameter)
{
    const CTrendParameter& shown = com::required(parameter);
    table.addRow(shown.Caption(true) + kColumnSeparator + formatted(shown.MinValue(), shown) + kColumnSeparator
                 + formatted(shown.MaxValue(), shown));
    const int row = table.rowCount() - 1;
    widgets::TreeListStyle& key = table.cell(row, 0);
    key.data = com::Value(parameter);
    key.text = shown.Key();
    table.cell(row, 1).data = com::Value(list().bookmark(list().lastAdded()));
}

void XFullscreenViewMenu::AddSnapshot(const std::shared_ptr<CWaveformData>& snapshot)
{
    {
        const RedrawHeld held(list());
        const int entry = addRecordEntry(kSnapshotsCaption, m_snapshotsHeader, m_snapshotsHeaderPresent, snapshot);
        step([&] { addTableEntries(entry, *snapshot); });
    }
    step([&] { SnapshotButton(0).setEnabled(false); });
}

void XFullscreenViewMenu::removeRecordEntry(int32_t headerBookmark,
                                            const std::function<bool(const com::Object&)>& matches)
{
    widgets::TreeListModel& model = list();
    const int header = model.indexOfBookmark(headerBookmark);
    for (int index = std::max(0, header); index < model.count(); ++index) {
        const auto record = model.data(index);
        if (record && matches(*record)) {
            model.remove(index);
            forgetRemovedTableClick();
            // The removed entry's heading takes the highlight, so that SelectHighLightedItem
            // picks the heading's first entry; when the heading goes too, nothing is left
            // highlighted.
            if (const int heading = model.indexOfBookmark(headerBookmark); heading != -1)
                model.select(heading);
            return;
        }
    }
}

void XFullscreenViewMenu::forgetRemovedTableClick()
{
    if (m_rememberedTableClick && list().indexOfBookmark(m_rememberedTableClick->ownerBookmark) == -1)
        m_rememberedTableClick.reset();
}

void XFullscreenViewMenu::RemoveTrend(const QString& key)
{
    step([&] {
        removeRecordEntry(m_trendsHeader, [&](const com::Object& record) {
            const auto* trend = dynamic_cast<const CTrend*>(&record);
            return trend && trend->Key() == key;
        });
    });
}

void XFullscreenViewMenu::RemoveSnapshot(const QString& key)
{
    if (!m_snapshotsHeaderPresent)
        return;
    step([&] {
        removeRecordEntry(m_snapshotsHeader, [&](const com::Object& record) {
            const auto* snapshot = dynamic_cast<const CWaveformData*>(&record);
            return snapshot && snapshot->Key() == key;
        });
    });
}

int32_t XFullscreenViewMenu::GetSnapshotBookmark(const QString& itemText, const QString& snapshotKey)
{
    if (!m_snapshotsHeaderPresent)
        return 0;
    int32_t bookmark = 0;
    step([&] {
        widgets::TreeListModel& model = list();
        const int header = model.indexOfBookmark(m_snapshotsHeader);
        for (int index = std::max(0, header); index < model.count(); ++index) {
            const auto* snapshot = dynamic_cast<const CWaveformData*>(model.data(index).get());
            if (snapshot && snapshot->Key() == snapshotKey) {
                bookmark = model.bookmark(model.findText(itemText, index, model.count()));
                return;
            }
        }
        bookmark = model.bookmark(0);
    });
    return bookmark;
}

QString XFullscreenViewMenu::GetItemText(int32_t bookmark)
{
    QString text;
    step([&] { text = list().text(list().indexOfBookmark(bookmark)); });
    return text;
}

void XFullscreenViewMenu::UpdateWaveformReferences(const std::shared_ptr<CWaveformData>& waveform)
{
    if (!waveform)
        return;
    widgets::TreeListModel& model = list();
    for (const auto& table : {waveform->FlowTable(), waveform->PressureTable(), waveform->VolumeTable()})
        step([&] {
            const int index = model.findText(table->Caption(true), 0, model.count());
            if (index > 0)
                model.setData(index, table);
        });
}

void XFullscreenViewMenu::SetActiveItem(int32_t bookmark)
{
    step([&] {
        widgets::TreeListModel& model = list();
        const int index = model.indexOfBookmark(bookmark);
        if (index == -1)
            return;
        model.select(index);
        const int owner = model.owner(index);
        const auto record = model.data(owner);
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

void XFullscreenViewMenu::SelectItemByBM(int32_t bookmark)
{
    step([&] { itemClick(list().indexOfBookmark(bookmark)); });
}

void XFullscreenViewMenu::itemClick(int index)
{
    step([&] { xmiInfo.SetEnabled(true); });
    step([&] {
        const auto record = list().data(index);
        if (!record) {
            m_currentParent = nullptr;
            hideInfoBox();
        } else if (const auto item = std::dynamic_pointer_cast<ZeltorGraph::IGraphData>(record)) {
            m_currentParent = item->Parent();
            raiseItemSelected(item, index);
        } else if (const auto parent = std::dynamic_pointer_cast<ZeltorGraph::IGraphDataParent>(record)) {
            m_currentParent = parent;
            showInfoBox(list().owner(index));
        }
    });
    step([&] { updateButtons(); });
}

void XFullscreenViewMenu::raiseItemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& item, int index)
{
    const int owner = list().owner(index);
    emit ItemSelected(item, list().bookmark(index));
    if (item->GraphType() != ZeltorGraph::egtWaveformGraph)
        showInfoBox(owner);
    else
        hideInfoBox();
}

void XFullscreenViewMenu::tableClick(widgets::TreeListTable& table, int row)
{
    step([&] {
        const int ownerIndex = table.ownerIndex();
        m_rememberedTableClick = TableClick{list().bookmark(ownerIndex), row};
        if (row == 0)
            return;
        const auto item = std::dynamic_pointer_cast<ZeltorGraph::IGraphData>(table.cell(row, 0).data.toObject());
        if (!item)
            return;
        const int32_t bookmark = table.cell(row, 1).data.toInt32();
        m_currentParent = item->Parent();
        emit ItemSelected(item, bookmark);
        if (list().data(ownerIndex)) {
            showInfoBox(ownerIndex);
            updateButtons();
        }
    });
}

void XFullscreenViewMenu::showInfoBox(int index)
{
    xmiInfo.SetEnabled(true);
    xmiInfo.resize(xmiInfo.width(), widgets::twipsToPixels(kInfoBoxHeight));
    layOut();
    if (m_infoBoxAllowed) {
        std::shared_ptr<ZeltorGraph::IGraphDataParent> shown = m_currentParent;
        xmiInfo.Show(shown, list().bookmark(index));
        m_currentParent = shown;
    }
}

void XFullscreenViewMenu::hideInfoBox()
{
    xmiInfo.SetEnabled(false);
    xmiInfo.resize(xmiInfo.width(), 0);
    xmiInfo.Clear();
    layOut();
}

void XFullscreenViewMenu::updateButtons()
{
    if (!m_currentParent)
        return;
    const auto type = m_currentParent->ParentType();
    if (type == ZeltorGraph::egtWaveformGraph) {
        disableRecordButtons();
    } else if (type == ZeltorGraph::egtTrendGraph) {
        const auto* trend = dynamic_cast<const CTrend*>(m_currentParent.get());
        const bool active = trend && trend->Active();
        cmdTrend[2]->setEnabled(!active);
        cmdTrend[1]->setEnabled(!m_trendsLoaded && m_testRunning && active);
        // Without a trend of the run (after it) the start button stays as it is. A trend is
        // sampled only while the test runs: the last trend of a result run before is no
        // reason to start one.
        if (mctrActiveTrend)
            cmdTrend[0]->setEnabled(m_testRunning && !mctrActiveTrend->Active());
        cmdSnapshot[2]->setEnabled(false);
        cmdSnapshot[1]->setEnabled(false);
    } else if (type == ZeltorGraph::egtSnapshotGraph) {
        cmdTrend[2]->setEnabled(false);
        cmdTrend[1]->setEnabled(false);
        cmdSnapshot[2]->setEnabled(true);
        cmdSnapshot[1]->setEnabled(true);
    }
}

void XFullscreenViewMenu::disableRecordButtons()
{
    for (QPushButton* button : {cmdTrend[1], cmdTrend[2], cmdSnapshot[1], cmdSnapshot[2]})
        button->setEnabled(false);
}

void XFullscreenViewMenu::trendButtonClicked(int32_t index)
{
    switch (index) {
    case 0:
        emit StartTrend();
        break;
    case 1:
        emit StopTrend(m_currentParent);
        break;
    case 2:
        emit DeleteGraphDataParent(m_currentParent);
        break;
    default:
        break;
    }
}

void XFullscreenViewMenu::snapshotButtonClicked(int32_t index)
{
    switch (index) {
    case 0:
        emit CreateSnapshot();
        cmdSnapshot[2]->setEnabled(true);
        break;
    case 1:
        emit Truncate(m_currentParent);
        break;
    case 2:
        emit DeleteGraphDataParent(m_currentParent);
        break;
    default:
        break;
    }
}

void XFullscreenViewMenu::SelectHighLightedItem()
{
    // What was picked before (a record just deleted) is let go first: with nothing highlighted
    // nothing stays picked, and the panel never shows a record that is gone.
    m_currentParent = nullptr;
    step([&] { hideInfoBox(); });
    disableRecordButtons();
    step([&] {
        widgets::TreeListModel& model = list();
        int chosen = -1;
        for (int index = 0; index < model.count() && chosen == -1; ++index)
            if (model.highlighted(index))
                chosen = index;
        if (chosen == -1)
            return;
        if (model.hasChildren(chosen)) {
            model.setExpanded(chosen, true);
            chosen = model.firstChild(chosen);
            model.select(chosen);
        }
        SelectItemByBM(model.bookmark(chosen));
    });
}

void XFullscreenViewMenu::BeginEdit()
{
    step([&] { xmiInfo.BeginEdit(); });
}

void XFullscreenViewMenu::StartTest(const std::function<void(int32_t pane)>& setCurrentPane)
{
    step([&] {
        setCurrentPane(1);
        itemClick(2);
    });
    step([&] {
        setCurrentPane(0);
        itemClick(1);
    });
    if (!m_trendsLoaded)
        cmdTrend[0]->setEnabled(true);
    cmdSnapshot[0]->setEnabled(true);
    cmdSnapshot[2]->setEnabled(false);
    cmdTrend[2]->setEnabled(false);
    m_testRunning = true;
}

void XFullscreenViewMenu::StopTest()
{
    // The headings stay known, so a trend or snapshot deleted after the run takes its emptied
    // heading with it; Initialize starts the list anew.
    m_trendsLoaded = false;
    setActiveTrend(nullptr);
    cmdTrend[0]->setEnabled(false);
    cmdTrend[1]->setEnabled(false);
    cmdSnapshot[0]->setEnabled(false);
    m_testRunning = false;
}

void XFullscreenViewMenu::RemoveHeader(int32_t which)
{
    step([&] {
        int32_t bookmark = 0;
        if (which == ehTrends) {
            bookmark = m_trendsHeader;
            m_trendsHeaderPresent = false;
        } else if (which == ehSnapshots) {
            bookmark = m_snapshotsHeader;
            m_snapshotsHeaderPresent = false;
        }
        list().remove(list().indexOfBookmark(bookmark));
        forgetRemovedTableClick();
    });
}

void XFullscreenViewMenu::setActiveTrend(const std::shared_ptr<CTrend>& trend)
{
    if (mctrActiveTrend)
        mctrActiveTrend->setAddSampleListener(nullptr);
    mctrActiveTrend = trend;
    if (mctrActiveTrend)
        mctrActiveTrend->setAddSampleListener([this] { activeTrendSample(); });
}

void XFullscreenViewMenu::activeTrendSample()
{
    step([&] { xmiInfo.UpdateLastSample(); });
    step([&] {
        if (m_firstSampleReplayDone || !m_rememberedTableClick)
            return;
        m_firstSampleReplayDone = true;
        emit BeforeItemClick(true);
        const int owner = list().indexOfBookmark(m_rememberedTableClick->ownerBookmark);
        if (owner != -1)
            step([&] { tableClick(list().table(owner), m_rememberedTableClick->row); });
        emit AfterItemClick();
    });
    widgets::TreeListModel& model = list();
    const RedrawHeld held(model);
    step([&] {
        // The active trend's own entry, found by the trend itself: two trends described alike
        // each keep their own figures.
        const CTrend& trend = com::required(mctrActiveTrend);
        int entry = -1;
        for (int index = 0; index < model.count() && entry == -1; ++index)
            if (model.data(index).get() == static_cast<const com::Object*>(&trend))
                entry = index;
        widgets::TreeListTable* table = entry == -1 ? nullptr : &model.table(entry);
        if (!table)
            return;
        for (int row = 1; row < table->rowCount(); ++row)
            step([&] {
                const auto& parameter = trend.Parameter(table->cell(row, 0).text);
                if (!parameter || !parameter->MinMaxChange())
                    return;
                table->cell(row, 2).text = formatted(parameter->MinValue(), *parameter);
                table->cell(row, 3).text = formatted(parameter->MaxValue(), *parameter);
            });
    });
}

void XFullscreenViewMenu::infoTitleChanged(int32_t bookmark, const QString& title)
{
    step([&] {
        widgets::TreeListModel& model = list();
        const int index = model.indexOfBookmark(bookmark);
        if (std::dynamic_pointer_cast<ZeltorGraph::IGraphDataParent>(model.data(index)))
            model.setText(index, title);
    });
    emit TitleChanged();
}

void XFullscreenViewMenu::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit ExitFullScreen();
        return;
    }
    QWidget::keyPressEvent(event);
}

void XFullscreenViewMenu::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void XFullscreenViewMenu::layOut()
{
    const int gap = widgets::twipsToPixels(kGap);
    const int width = std::max(0, this->width() - 2 * gap);
    const int boxHeight = pboButtons.sizeHint().height();
    const int boxTop = height() - boxHeight - gap;
    pboButtons.setGeometry(gap, boxTop, width, boxHeight);
    const int infoTop = boxTop - xmiInfo.height() - gap;
    xmiInfo.setGeometry(gap, infoTop, width, xmiInfo.height());
    tliList.setGeometry(gap, gap, width, std::max(0, infoTop - gap));
}

} // namespace ZeltorTests
