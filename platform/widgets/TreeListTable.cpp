#include "TreeListTable.h"

#include "TreeListModel.h"

#include "com/Error.h"

#include <QStringList>

namespace widgets {

namespace {

const QString kSource = QStringLiteral("TreeListTable");

template <typename Items>
auto& itemAt(Items& items, int index)
{
    if (index < 0 || index >= static_cast<int>(items.size()))
        throw com::Error::subscript(kSource);
    return items[static_cast<size_t>(index)];
}

} // namespace

TreeListTable::TreeListTable(const TreeListModel& list, int32_t ownerBookmark)
    : m_list(list)
    , m_ownerBookmark(ownerBookmark)
    , m_rows(1)
{
}

void TreeListTable::setColumnCount(int count)
{
    if (count < 0)
        throw com::Error::invalidCall(kSource);
    m_columns.resize(static_cast<size_t>(count));
    for (auto& row : m_rows)
        row.resize(static_cast<size_t>(count));
}

TreeListTable::Column& TreeListTable::column(int index) { return itemAt(m_columns, index); }
const TreeListTable::Column& TreeListTable::column(int index) const { return itemAt(m_columns, index); }

TreeListStyle& TreeListTable::cell(int row, int column)
{
    return itemAt(itemAt(m_rows, row), column);
}

const TreeListStyle& TreeListTable::cell(int row, int column) const
{
    return itemAt(itemAt(m_rows, row), column);
}

void TreeListTable::addRow(const QString& text)
{
    // A new row is drawn in the table's style, each cell aligned as its column.
    std::vector<TreeListStyle> row(m_columns.size(), m_style);
    for (size_t index = 0; index < row.size(); ++index) {
        row[index].text.clear();
        row[index].data = com::Value();
        row[index].alignment = m_columns[index].style.alignment;
    }
    const QStringList parts = text.split(m_list.separator());
    for (int part = 0; part < parts.size() && part + 1 < columnCount(); ++part)
        row[static_cast<size_t>(part + 1)].text = parts[part];
    m_rows.push_back(std::move(row));
}

int TreeListTable::ownerIndex() const
{
    return m_list.indexOfBookmark(m_ownerBookmark);
}

} // namespace widgets
