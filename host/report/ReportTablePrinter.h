#pragma once

#include "report/TableText.h"

#include <QFont>

#include <cstdint>
#include <vector>

namespace host {

class ReportCanvas;

// How a table is ruled, from the report's three table options.
//   A: bit 1 a rule above the header, bit 2 a rule below it, bit 4 a rule below the last row;
//   B: 0 plain rows, any other value shades every second body row light grey;
//   C: 1 repeats the header rows at the top of every further page the table runs onto.
struct TableStyle {
    int32_t rules = 0;
    int32_t shading = 0;
    int32_t repeatHeader = 0;
};

// Lays a table of the report's table text out on the canvas, row by row from a print position,
// starting a new page when a row no longer fits above the page's bottom edge.
class ReportTablePrinter {
public:
    ReportTablePrinter(ReportCanvas& canvas, const QFont& font, const TableStyle& style);

    // Prints the rows from `top` at the page's left edge; returns the position below the table.
    int32_t print(const std::vector<TableColumn>& columns, const std::vector<TableRow>& header,
                  const std::vector<TableRow>& body, int32_t top);

private:
    int32_t rowHeight(const std::vector<TableColumn>& columns, const TableRow& row) const;
    void printRow(const std::vector<TableColumn>& columns, const TableRow& row, int32_t top, int32_t height,
                  bool shaded);
    QFont cellFont(const TableCell& cell) const;
    int32_t tableWidth(const std::vector<TableColumn>& columns) const;
    void rule(const std::vector<TableColumn>& columns, int32_t y);

    ReportCanvas& m_canvas;
    QFont m_font;
    TableStyle m_style;
};

} // namespace host
