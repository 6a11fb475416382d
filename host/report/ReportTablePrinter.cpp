#include "report/ReportTablePrinter.h"

#include "report/ReportCanvas.h"

#include <numeric>

namespace host {

namespace {

// Space between a cell's text and its edges.
constexpr int32_t kCellPaddingX = 60;
constexpr int32_t kCellPaddingY = 40;
constexpr int32_t kRuleAboveHeader = 1;
constexpr int32_t kRuleBelowHeader = 2;
constexpr int32_t kRuleBelowTable = 4;
const QColor kShade(0xF0, 0xF0, 0xF0);

Qt::Alignment alignmentOf(TableColumn::Alignment alignment)
{
    switch (alignment) {
    case TableColumn::Alignment::Centre:
        return Qt::AlignHCenter;
    case TableColumn::Alignment::Right:
        return Qt::AlignRight;
    case TableColumn::Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

const TableCell& cellAt(const TableRow& row, size_t column)
{
    static const TableCell kEmpty;
    return column < row.size() ? row[column] : kEmpty;
}

int32_t textWidthOf(const TableColumn& column) { return std::max(column.width - 2 * kCellPaddingX, 1); }

} // namespace

ReportTablePrinter::ReportTablePrinter(ReportCanvas& canvas, const QFont& font, const TableStyle& style)
    : m_canvas(canvas)
    , m_font(font)
    , m_style(style)
{
}

QFont ReportTablePrinter::cellFont(const TableCell& cell) const
{
    QFont font = m_font;
    font.setBold(cell.bold);
    font.setItalic(cell.italic);
    return font;
}

int32_t ReportTablePrinter::tableWidth(const std::vector<TableColumn>& columns) const
{
    return std::accumulate(columns.begin(), columns.end(), 0,
                           [](int32_t sum, const TableColumn& column) { return sum + column.width; });
}

int32_t ReportTablePrinter::rowHeight(const std::vector<TableColumn>& columns, const TableRow& row) const
{
    int32_t textHeight = m_canvas.textExtent(QStringLiteral("0"), m_font).height();
    for (size_t c = 0; c < columns.size(); ++c) {
        const TableCell& cell = cellAt(row, c);
        if (cell.text.isEmpty())
            continue;
        const int32_t height = columns[c].singleLine
                                   ? m_canvas.textExtent(cell.text, cellFont(cell)).height()
                                   : m_canvas.wrappedTextHeight(cell.text, cellFont(cell), textWidthOf(columns[c]));
        textHeight = std::max(textHeight, height);
    }
    return textHeight + 2 * kCellPaddingY;
}

void ReportTablePrinter::rule(const std::vector<TableColumn>& columns, int32_t y)
{
    const int32_t left = m_canvas.geometry().left;
    m_canvas.line(QPoint(left, y), QPoint(left + tableWidth(columns), y), Qt::SolidLine);
}

void ReportTablePrinter::printRow(const std::vector<TableColumn>& columns, const TableRow& row, int32_t top,
                                  int32_t height, bool shaded)
{
    const int32_t left = m_canvas.geometry().left;
    if (shaded)
        m_canvas.shade(QRect(left, top, tableWidth(columns), height), kShade);
    int32_t x = left;
    for (size_t c = 0; c < columns.size(); ++c) {
        const TableColumn& column = columns[c];
        if (column.ruleBefore)
            m_canvas.line(QPoint(x, top), QPoint(x, top + height), Qt::SolidLine);
        const TableCell& cell = cellAt(row, c);
        if (!cell.text.isEmpty()) {
            TextBox box;
            box.rect = QRect(x + kCellPaddingX, top + kCellPaddingY, textWidthOf(column), height - 2 * kCellPaddingY);
            box.alignment = alignmentOf(column.alignment);
            box.wrap = !column.singleLine;
            box.clip = column.singleLine;
            m_canvas.text(cell.text, box, cellFont(cell));
        }
        x += column.width;
    }
}

int32_t ReportTablePrinter::print(const std::vector<TableColumn>& columns, const std::vector<TableRow>& header,
                                  const std::vector<TableRow>& body, int32_t top)
{
    const PageGeometry& page = m_canvas.geometry();
    int32_t y = top;
    const auto printHeader = [&] {
        if (header.empty())
            return;
        if (m_style.rules & kRuleAboveHeader)
            rule(columns, y);
        for (const TableRow& row : header) {
            const int32_t height = rowHeight(columns, row);
            printRow(columns, row, y, height, false);
            y += height;
        }
        if (m_style.rules & kRuleBelowHeader)
            rule(columns, y);
    };
    // The header does not stand alone at the bottom of a page: it goes over with the first row.
    int32_t opening = body.empty() ? 0 : rowHeight(columns, body.front());
    for (const TableRow& row : header)
        opening += rowHeight(columns, row);
    if (y + opening > page.bottom && y > page.top) {
        m_canvas.newPage();
        y = page.top;
    }
    printHeader();
    bool shaded = false;
    for (const TableRow& row : body) {
        const int32_t height = rowHeight(columns, row);
        if (y + height > page.bottom && y > page.top) {
            m_canvas.newPage();
            y = page.top;
            if (m_style.repeatHeader == 1)
                printHeader();
        }
        printRow(columns, row, y, height, shaded && m_style.shading != 0);
        shaded = !shaded;
        y += height;
    }
    if (m_style.rules & kRuleBelowTable)
        rule(columns, y);
    return y;
}

} // namespace host
