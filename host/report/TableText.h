#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// The report's table text, in which records hand their tables to PrintTable.
//
// Column format: one column per piece, pieces separated by "|", the last ended by ";" (optional).
// A piece is an alignment ("<" left, "^" centred, ">" right; left when none), then in any order
// "+" (the cell's text stays on one line and is cut at the cell's edge; without it the text wraps
// and the row grows) and "!" (a rule is drawn between this column and the one before), then the
// column's width in twips. Example: "<+560|<2240|>+1400|^+!1400;".
//
// Header and body: rows ended by ";", cells separated by "|", the first cell in the first column.
// Missing cells are empty; cells beyond the last column are not printed. A cell may hold groups
// "{...}" with the control words "\b" (bold) and "\i" (italic), each followed by one optional
// blank: "{\i\b Result:}". A cell prints in one style: bold or italic when any of its text is.
namespace host {

struct TableColumn {
    enum class Alignment { Left, Centre, Right };

    Alignment alignment = Alignment::Left;
    bool singleLine = false;
    bool ruleBefore = false;
    int32_t width = 0;
};

struct TableCell {
    QString text;
    bool bold = false;
    bool italic = false;
};

using TableRow = std::vector<TableCell>;

// Raises invalid call (5) for a piece without a width or with a character it does not know.
std::vector<TableColumn> parseColumnFormat(const QString& format);

// Rows without text between two ";" count as empty rows; nothing after the last ";" is a row
// unless it holds text.
std::vector<TableRow> parseTableRows(const QString& text);

} // namespace host
