#include "TreeListModel.h"

#include "com/Error.h"

#include <algorithm>
#include <limits>

namespace widgets {

namespace {

const QString kSource = QStringLiteral("TreeListModel");

} // namespace

TreeListModel::Entry& TreeListModel::entry(int index)
{
    if (index < 0 || index >= count())
        throw com::Error::subscript(kSource);
    return m_entries[static_cast<size_t>(index)];
}

const TreeListModel::Entry& TreeListModel::entry(int index) const
{
    if (index < 0 || index >= count())
        throw com::Error::subscript(kSource);
    return m_entries[static_cast<size_t>(index)];
}

int TreeListModel::subtreeEnd(int index) const
{
    const int level = entry(index).level;
    int end = index + 1;
    while (end < count() && m_entries[static_cast<size_t>(end)].level > level)
        ++end;
    return end;
}

int TreeListModel::add(const QString& text, int parentIndex)
{
    if (m_nextBookmark == std::numeric_limits<int32_t>::max())
        throw com::Error::overflow(kSource);
    Entry added;
    added.text = text;
    added.bookmark = m_nextBookmark++;
    int position = count();
    if (parentIndex != -1) {
        added.level = entry(parentIndex).level + 1;
        position = subtreeEnd(parentIndex);
    }
    m_entries.insert(m_entries.begin() + position, std::move(added));
    m_lastAdded = position;
    changed();
    return position;
}

void TreeListModel::clear()
{
    m_entries.clear();
    m_lastAdded = -1;
    changed();
}

void TreeListModel::remove(int index)
{
    const int end = subtreeEnd(index);
    m_entries.erase(m_entries.begin() + index, m_entries.begin() + end);
    if (m_lastAdded >= end)
        m_lastAdded -= end - index;
    else if (m_lastAdded >= index)
        m_lastAdded = -1;
    changed();
}

int TreeListModel::findText(const QString& text, int first, int entries) const
{
    const int last = std::min(count(), first + std::max(0, entries));
    for (int index = std::max(0, first); index < last; ++index)
        if (m_entries[static_cast<size_t>(index)].text == text)
            return index;
    return -1;
}

int TreeListModel::indexOfBookmark(int32_t bookmark) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [bookmark](const Entry& each) { return each.bookmark == bookmark; });
    return found == m_entries.end() ? -1 : static_cast<int>(found - m_entries.begin());
}

void TreeListModel::setText(int index, const QString& text)
{
    entry(index).text = text;
    changed();
}

void TreeListModel::setFontSize(int index, double points)
{
    entry(index).fontSize = points;
    changed();
}

void TreeListModel::setTextColor(int index, uint32_t color)
{
    entry(index).textColor = color;
    changed();
}

void TreeListModel::setData(int index, std::shared_ptr<com::Object> data)
{
    entry(index).data = std::move(data);
}

bool TreeListModel::hasChildren(int index) const
{
    return subtreeEnd(index) > index + 1;
}

int TreeListModel::firstChild(int index) const
{
    return hasChildren(index) ? index + 1 : -1;
}

int TreeListModel::owner(int index) const
{
    int current = index;
    while (entry(current).level > 1) {
        const int level = entry(current).level;
        do
            --current;
        while (m_entries[static_cast<size_t>(current)].level >= level);
    }
    return current;
}

void TreeListModel::setExpanded(int index, bool expanded)
{
    entry(index).expanded = expanded;
    changed();
}

void TreeListModel::setAllExpanded(bool expanded)
{
    for (Entry& each : m_entries)
        each.expanded = expanded;
    changed();
}

bool TreeListModel::shown(int index) const
{
    int level = entry(index).level;
    for (int above = index - 1; above >= 0 && level > 0; --above) {
        const Entry& candidate = m_entries[static_cast<size_t>(above)];
        if (candidate.level < level) {
            if (!candidate.expanded)
                return false;
            level = candidate.level;
        }
    }
    return true;
}

void TreeListModel::setHighlighted(int index, bool highlighted)
{
    entry(index).highlighted = highlighted;
    changed();
}

void TreeListModel::select(int index)
{
    entry(index);
    for (int each = 0; each < count(); ++each)
        m_entries[static_cast<size_t>(each)].highlighted = each == index;
    changed();
}

TreeListTable& TreeListModel::table(int index)
{
    Entry& owner = entry(index);
    if (!owner.table)
        owner.table = std::make_unique<TreeListTable>(*this, owner.bookmark);
    return *owner.table;
}

void TreeListModel::setRedraw(bool redraw)
{
    m_redraw = redraw;
    changed();
}

void TreeListModel::clickEntry(int index)
{
    entry(index);
    if (onEntryClick)
        onEntryClick(index);
}

void TreeListModel::clickTableRow(int index, int row)
{
    TreeListTable& clicked = table(index);
    if (row < 0 || row >= clicked.rowCount())
        throw com::Error::subscript(kSource);
    if (onTableClick)
        onTableClick(clicked, row);
}

void TreeListModel::changed() const
{
    if (m_redraw && onRepaint)
        onRepaint();
}

} // namespace widgets
