#pragma once

#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace widgets {

class TreeListModel;

// How a cell, a column or a whole table is drawn, and what a cell holds besides its text.
struct TreeListStyle {
    // Alignment codes of the tree list: 2 left, 8 right, anything else left.
    static constexpr int kAlignLeft = 2;
    static constexpr int kAlignRight = 8;

    QString text;
    uint32_t textColor = 0xFFFFFF;
    uint32_t backColor = 0;
    double fontSize = 8.0;
    bool bold = false;
    int alignment = kAlignLeft;
    com::Value data;
};

// The table embedded in a tree-list entry: a header row (row 0) and the rows added after it, in
// columns whose widths are twips. A row is added as one text whose parts, split at the list's
// separator, fill the columns from column 1 on; column 0 holds what the caller writes there (a
// column given no width is not drawn). Rows and columns out of range are an error.
class TreeListTable {
public:
    struct Column {
        int width = 0;
        TreeListStyle style;
    };

    TreeListTable(const TreeListModel& list, int32_t ownerBookmark);
    TreeListTable(const TreeListTable&) = delete;
    TreeListTable& operator=(const TreeListTable&) = delete;

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    void setColumnCount(int count);
    // Header row included.
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    Column& column(int index);
    const Column& column(int index) const;
    TreeListStyle& style() { return m_style; }
    const TreeListStyle& style() const { return m_style; }
    TreeListStyle& cell(int row, int column);
    const TreeListStyle& cell(int row, int column) const;
    void addRow(const QString& text);
    // The index of the list entry the table belongs to; -1 once it is gone.
    int ownerIndex() const;

private:
    const TreeListModel& m_list;
    int32_t m_ownerBookmark;
    TreeListStyle m_style;
    std::vector<Column> m_columns;
    std::vector<std::vector<TreeListStyle>> m_rows;
};

} // namespace widgets
