#include "TreeListWidget.h"

#include "Colors.h"
#include "Fonts.h"
#include "Twips.h"

#include "com/Failure.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QScrollBar>

#include <algorithm>

namespace widgets {

namespace {

constexpr int kIndent = 16;
constexpr int kExpanderSize = 9;
constexpr int kLinePadding = 4;
const QColor kHighlight(0, 0, 128);

QFont entryFont(double points, bool bold = false)
{
    return windowsFont(QStringLiteral("Arial"), points, bold);
}

Qt::Alignment alignmentOf(int code)
{
    return (code == TreeListStyle::kAlignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

} // namespace

TreeListWidget::TreeListWidget(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    // A scroll area's viewport is drawn in its base colour.
    setBackgroundColor(*viewport(), 0);
    setBackColor(*viewport(), 0);
    setFrameShape(QFrame::NoFrame);
    m_model.onRepaint = [this] {
        updateScrollRange();
        viewport()->update();
    };
}

int TreeListWidget::indentOf(int level)
{
    return kExpanderSize + 6 + level * kIndent;
}

std::vector<TreeListWidget::Line> TreeListWidget::lines() const
{
    std::vector<Line> laidOut;
    int top = 0;
    const int width = viewport()->width();
    for (int index = 0; index < m_model.count(); ++index) {
        if (!m_model.shown(index))
            continue;
        const int height = QFontMetrics(entryFont(m_model.fontSize(index))).height() + kLinePadding;
        laidOut.push_back({index, -1, QRect(0, top, width, height)});
        top += height;
        if (const TreeListTable* table = m_model.tableOf(index)) {
            const int rowHeight = QFontMetrics(entryFont(table->style().fontSize)).height() + kLinePadding;
            for (int row = 0; row < table->rowCount(); ++row) {
                laidOut.push_back({index, row, QRect(0, top, width, rowHeight)});
                top += rowHeight;
            }
        }
    }
    return laidOut;
}

QRect TreeListWidget::lineRect(int entry, int tableRow) const
{
    for (const Line& line : lines())
        if (line.entry == entry && line.tableRow == tableRow)
            return line.rect.translated(0, -verticalScrollBar()->value());
    return {};
}

void TreeListWidget::updateScrollRange()
{
    const std::vector<Line> laidOut = lines();
    const int contentHeight = laidOut.empty() ? 0 : laidOut.back().rect.bottom() + 1;
    verticalScrollBar()->setRange(0, std::max(0, contentHeight - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

void TreeListWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void TreeListWidget::paintEvent(QPaintEvent*)
{
    if (!m_model.redraw())
        return;
    QPainter painter(viewport());
    painter.translate(0, -verticalScrollBar()->value());
    for (const Line& line : lines()) {
        if (line.tableRow < 0)
            paintEntry(painter, line);
        else
            paintTableRow(painter, line);
    }
}

void TreeListWidget::paintEntry(QPainter& painter, const Line& line) const
{
    const int index = line.entry;
    const int indent = indentOf(m_model.level(index));
    if (m_model.highlighted(index))
        painter.fillRect(line.rect.adjusted(indent, 0, 0, 0), kHighlight);
    const QColor color = colorOf(m_model.textColor(index));
    if (m_model.hasChildren(index)) {
        const QPoint centre(indent - kExpanderSize, line.rect.center().y());
        const int half = kExpanderSize / 2;
        QPolygon arrow;
        if (m_model.expanded(index))
            arrow << centre + QPoint(-half, -half / 2) << centre + QPoint(half, -half / 2) << centre + QPoint(0, half);
        else
            arrow << centre + QPoint(-half / 2, -half) << centre + QPoint(-half / 2, half) << centre + QPoint(half, 0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawPolygon(arrow);
    }
    painter.setPen(color);
    painter.setFont(entryFont(m_model.fontSize(index)));
    painter.drawText(line.rect.adjusted(indent + 2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, m_model.text(index));
}

void TreeListWidget::paintTableRow(QPainter& painter, const Line& line) const
{
    const TreeListTable& table = *m_model.tableOf(line.entry);
    int left = indentOf(m_model.level(line.entry) + 1);
    for (int column = 0; column < table.columnCount(); ++column) {
        const int width = twipsToPixels(table.column(column).width);
        if (width <= 0)
            continue;
        const TreeListStyle& cell = table.cell(line.tableRow, column);
        const QRect area(left, line.rect.top(), width, line.rect.height());
        painter.fillRect(area, colorOf(cell.backColor));
        painter.setPen(colorOf(table.style().textColor));
        painter.setFont(entryFont(cell.fontSize, cell.bold));
        painter.drawText(area.adjusted(2, 0, -2, 0), alignmentOf(cell.alignment), cell.text);
        left += width;
    }
}

void TreeListWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint() + QPoint(0, verticalScrollBar()->value());
    for (const Line& line : lines()) {
        if (!line.rect.contains(point))
            continue;
        com::ignoreFailure([&] {
            if (line.tableRow >= 0) {
                m_model.clickTableRow(line.entry, line.tableRow);
            } else if (m_model.hasChildren(line.entry) && point.x() < indentOf(m_model.level(line.entry))) {
                m_model.setExpanded(line.entry, !m_model.expanded(line.entry));
            } else {
                m_model.select(line.entry);
                m_model.clickEntry(line.entry);
            }
        });
        return;
    }
}

} // namespace widgets
