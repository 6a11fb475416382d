#include "ui/XResultVentilator.h"

#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "IZeltorConfiguration.h"
#include "TranslateControls.h"

#include "Measurement.h"
#include "Standards.h"
#include "TestElement.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/FlagGuard.h"
#include "com/Required.h"
#include "format/Format.h"
#include "widgets/Colors.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <array>
#include <optional>

namespace ZeltorTests {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int32_t kWaveformChannelKind = 0;
constexpr int32_t kFailed = 2;
const QString kEmptyCell = QStringLiteral(" ");

struct Column {
    const char* key;
    const char* caption;
    int width; // twips
    Qt::Alignment alignment;
    bool statistics; // present only with the statistics columns
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

const std::array<Column, 8> kColumns{{
    {"measurement", "230::Measurement", 2180, kLeft, false},
    {"value", "231::Value", 900, kRight, false},
    {"minimum", "20394::Minimum", 900, kRight, true},
    {"maximum", "20395::Maximum", 900, kRight, true},
    {"average", "20396::Average", 900, kRight, true},
    {"highlimit", "232::High limit", 900, kRight, false},
    {"lowlimit", "233::Low limit", 900, kRight, false},
    {"unit", "234::Unit", 900, kLeft, false},
}};

Qt::Alignment alignmentOf(const QString& columnKey)
{
    for (const Column& column : kColumns)
        if (columnKey == QLatin1String(column.key))
            return column.alignment;
    return kLeft;
}

// A limit value as the user reads numbers: at most seven significant digits with the user's
// decimal separator.
QString limitText(float value)
{
    return format::generalText(value).replace(QLatin1Char('.'), format::localeDecimalSeparator());
}

// The high and low limit texts of one parameter key in a standard: of several enabled high
// limits the smallest value, of several enabled low limits the largest; " " where none is
// enabled, and both empty when the standard has no limits.
std::pair<QString, QString> limitTexts(const Nelvar::IStandard& standard, const QString& key)
{
    const auto limits = standard.Limits();
    if (!limits)
        return {};
    std::optional<float> high;
    std::optional<float> low;
    for (const auto& limit : *limits) {
        if (com::required(limit).Name() != key)
            continue;
        bool enabled = false;
        float value = 0.0f;
        limit->Enabled(0, enabled);
        if (enabled) {
            limit->Value(0, value);
            high = high ? std::min(*high, value) : value;
        }
        limit->Enabled(1, enabled);
        if (enabled) {
            limit->Value(1, value);
            low = low ? std::max(*low, value) : value;
        }
    }
    return {high ? limitText(*high) : kEmptyCell, low ? limitText(*low) : kEmptyCell};
}

} // namespace

XResultVentilator::XResultVentilator(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("xrvResult"));
    m_lvwResult.setObjectName(QStringLiteral("lvwResult"));
    m_mnuStdList.setObjectName(QStringLiteral("mnuStdList"));
    m_lvwResult.setFont(widgets::windowsFont(QStringLiteral("Arial"), 8.25));
    m_lvwResult.setRootIsDecorated(false);
    m_lvwResult.setAllColumnsShowFocus(true);
    m_lvwResult.setUniformRowHeights(true);
    m_lvwResult.header()->setSectionsClickable(true);
    m_lvwResult.header()->setStretchLastSection(false);
    m_lvwResult.viewport()->installEventFilter(this);

    m_mnuCaption.setObjectName(QStringLiteral("mnuCaption"));
    m_mnuLine1.setObjectName(QStringLiteral("mnuLine1"));
    m_mnuLine1.setSeparator(true);
    m_mnuStdList.addAction(&m_mnuCaption);
    m_mnuStdList.addAction(&m_mnuLine1);
    m_mnuStdList.setDefaultAction(&m_mnuCaption);

    connect(&m_lvwResult, &QTreeWidget::itemClicked, this,
            [this](const QTreeWidgetItem* row, int) { com::ignoreFailure([&] { rowClicked(com::required(row)); }); });
    connect(m_lvwResult.header(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_sortColumn = column;
        m_lvwResult.sortItems(column, Qt::AscendingOrder);
    });

    Zeltor::translateControls(*this);
}

XResultVentilator::~XResultVentilator()
{
    // The list goes before this control's QWidget part does, and sends its viewport events on its
    // way out.
    m_lvwResult.viewport()->removeEventFilter(this);
}

void XResultVentilator::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_lvwResult.setGeometry(rect());
}

void XResultVentilator::Initialize(const std::shared_ptr<Nelvar::ITestElement>& element,
                                   const std::shared_ptr<Nelvar::IStandards>& standards, bool showStatistics)
{
    m_showStatistics = showStatistics;
    com::ignoreFailure([&] { createColumns(); });
    com::ignoreFailure([&] { fillRows(com::required(element)); });
    com::ignoreFailure([&] { buildStandardsMenu(com::required(element), standards); });
    com::ignoreFailure([&] {
        if (QTreeWidgetItem* first = m_lvwResult.topLevelItem(0)) {
            m_lvwResult.setCurrentItem(first);
            rowClicked(*first);
        }
    });
}

void XResultVentilator::createColumns()
{
    m_columnKeys.clear();
    QStringList captions;
    std::vector<const Column*> shown;
    for (const Column& column : kColumns) {
        if (column.statistics && !m_showStatistics)
            continue;
        shown.push_back(&column);
        m_columnKeys << QString::fromLatin1(column.key);
        captions << Zeltor::translated(QString::fromLatin1(column.caption));
    }
    m_lvwResult.setColumnCount(static_cast<int>(shown.size()));
    m_lvwResult.setHeaderLabels(captions);
    for (int position = 0; position < static_cast<int>(shown.size()); ++position) {
        m_lvwResult.setColumnWidth(position, widgets::twipsToPixels(shown[static_cast<size_t>(position)]->width));
        m_lvwResult.headerItem()->setTextAlignment(position, shown[static_cast<size_t>(position)]->alignment);
    }
}

void XResultVentilator::fillRows(const Nelvar::ITestElement& element)
{
    m_lvwResult.clear();
    const auto configuration = std::dynamic_pointer_cast<IZeltorConfiguration>(element.Configuration());
    const auto parameters = com::required(configuration).Parameters();
    const QColor windowText = widgets::colorOf(widgets::kSystemWindowText, m_lvwResult.palette());
    for (const auto& definition : com::required(parameters)) {
        if (!definition->Selected() || definition->Kind() == kWaveformChannelKind)
            continue;
        auto row = std::make_unique<QTreeWidgetItem>();
        row->setData(0, kKeyRole, definition->Key());
        row->setText(0, definition->Caption(true));
        for (int position = 1; position < m_columnKeys.size(); ++position)
            row->setText(position, kEmptyCell);
        row->setText(columnOf("unit"), definition->DisplayUnitText());
        for (int position = 0; position < m_columnKeys.size(); ++position)
            row->setTextAlignment(position, alignmentOf(m_columnKeys[position]));
        setRowColor(*row, windowText);
        m_lvwResult.addTopLevelItem(row.release());
    }
    if (m_sortColumn >= 0)
        m_lvwResult.sortItems(m_sortColumn, Qt::AscendingOrder);
}

void XResultVentilator::buildStandardsMenu(const Nelvar::ITestElement& element,
                                           const std::shared_ptr<Nelvar::IStandards>& standards)
{
    // A window initialised again starts its menu afresh.
    m_mnuStandards.clear();
    m_standards = com::required(element.Limits()).Standards();
    if (!standards || !m_standards)
        return;
    for (const auto& offered : *standards) {
        const auto found = m_standards->Item(0, com::required(offered).Name(), offered->Key2());
        if (found)
            loadStandardEntry(*found);
    }
}

void XResultVentilator::loadStandardEntry(const Nelvar::IStandard& standard)
{
    const int32_t index = static_cast<int32_t>(m_mnuStandards.size()) + 1;
    auto& entry = m_mnuStandards.emplace_back(std::make_unique<QAction>());
    entry->setObjectName(QStringLiteral("mnuStandards%1").arg(index));
    entry->setCheckable(true);
    entry->setVisible(false);
    m_mnuStdList.addAction(entry.get());
    connect(entry.get(), &QAction::triggered, this, [this, index, action = entry.get()](bool checked) {
        // The entry's check mark is the menu's to set, not Qt's toggle.
        action->setChecked(!checked);
        standardClicked(index);
    });
    entry->setText(standard.Key2());
    entry->setData(standard.Name());
    if (entry->text().isEmpty())
        return;
    entry->setVisible(true);
    if (index == 1) {
        entry->setChecked(true);
        ShowStandardLimits(entry->data().toString(), entry->text());
    }
}

void XResultVentilator::ShowStandardLimits(const QString& shortName, const QString& completeName)
{
    if (!m_standards)
        return;
    const auto standard = m_standards->Item(0, shortName, completeName);
    if (!standard)
        return;
    const int high = columnOf("highlimit");
    const int low = columnOf("lowlimit");
    for (int position = 0; position < m_lvwResult.topLevelItemCount(); ++position) {
        QTreeWidgetItem& row = *m_lvwResult.topLevelItem(position);
        const QString key = rowKey(row);
        if (key.isEmpty())
            continue;
        const auto [highText, lowText] = limitTexts(*standard, key);
        row.setText(high, highText);
        row.setText(low, lowText);
        row.setToolTip(high, completeName);
        row.setToolTip(low, completeName);
    }
    emit StandardSelected(shortName, completeName);
}

void XResultVentilator::standardClicked(int32_t index)
{
    if (m_menuBusy)
        return;
    const com::FlagGuard busy(m_menuBusy);
    const auto entryAt = [this](int32_t position) -> QAction& {
        if (position < 1 || position > static_cast<int32_t>(m_mnuStandards.size()))
            throw com::Error::subscript(QStringLiteral("XResultVentilator"));
        return *m_mnuStandards[static_cast<size_t>(position - 1)];
    };
    com::ignoreFailure([&] { entryAt(m_lastClickedIndex).setChecked(false); });
    com::ignoreFailure([&] {
        QAction& clicked = entryAt(index);
        const QString caption = clicked.text();
        const QString tag = clicked.data().toString();
        if (caption.isEmpty() || tag.isEmpty())
            return;
        clicked.setChecked(true);
        ShowStandardLimits(tag, caption);
    });
    m_lastClickedIndex = index;
}

void XResultVentilator::rowClicked(const QTreeWidgetItem& row)
{
    emit SelectionChange(rowKey(row));
}

bool XResultVentilator::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lvwResult.viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton && !m_mnuStandards.empty()) {
            m_mnuStdList.popup(press->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void XResultVentilator::UpdateDisplay(const std::shared_ptr<Nelvar::IResultData>& result)
{
    if (!result) {
        m_lvwResult.clear();
        return;
    }
    const QColor windowText = widgets::colorOf(widgets::kSystemWindowText, m_lvwResult.palette());
    const QColor failed = widgets::colorOf(widgets::kColorRed);
    // The rows after a failing one keep their texts.
    const bool updated = com::untilFirstFailure([&] {
        for (int position = 0; position < m_lvwResult.topLevelItemCount(); ++position) {
            QTreeWidgetItem& row = *m_lvwResult.topLevelItem(position);
            const auto measurement = result->Measurement(rowKey(row));
            if (!measurement)
                continue;
            const QColor& color = measurement->Status() == kFailed ? failed : windowText;
            const QStringList texts = com::required(std::dynamic_pointer_cast<CMeasurement>(measurement)).FormattedValues();
            setRowColor(row, color);
            row.setText(columnOf("value"), texts.value(0));
            if (m_showStatistics) {
                row.setText(columnOf("minimum"), texts.value(1));
                row.setText(columnOf("maximum"), texts.value(2));
                row.setText(columnOf("average"), texts.value(3));
            }
        }
    });
    if (updated)
        m_lvwResult.viewport()->update();
}

void XResultVentilator::ClearAllFailed()
{
    const QColor windowText = widgets::colorOf(widgets::kSystemWindowText, m_lvwResult.palette());
    for (int position = 0; position < m_lvwResult.topLevelItemCount(); ++position)
        com::ignoreFailure([&] { setRowColor(com::required(m_lvwResult.topLevelItem(position)), windowText); });
    m_lvwResult.viewport()->update();
}

void XResultVentilator::RemoveItem(const QString& key)
{
    QTreeWidgetItem* row = rowOf(key);
    if (!row)
        throw com::Error::subscript(QStringLiteral("XResultVentilator"));
    const std::unique_ptr<QTreeWidgetItem> removed(m_lvwResult.takeTopLevelItem(m_lvwResult.indexOfTopLevelItem(row)));
    m_lvwResult.viewport()->update();
}

void XResultVentilator::setRowColor(QTreeWidgetItem& row, const QColor& color) const
{
    for (int position = 0; position < row.columnCount(); ++position)
        row.setForeground(position, color);
}

int XResultVentilator::columnOf(const char* key) const
{
    const int position = static_cast<int>(m_columnKeys.indexOf(QLatin1String(key)));
    if (position < 0)
        throw com::Error::subscript(QStringLiteral("XResultVentilator"));
    return position;
}

QTreeWidgetItem* XResultVentilator::rowOf(const QString& key) const
{
    for (int position = 0; position < m_lvwResult.topLevelItemCount(); ++position)
        if (rowKey(*m_lvwResult.topLevelItem(position)) == key)
            return m_lvwResult.topLevelItem(position);
    return nullptr;
}

QString XResultVentilator::rowKey(const QTreeWidgetItem& row) const
{
    return row.data(0, kKeyRole).toString();
}

} // namespace ZeltorTests
