#pragma once

#include "TreeListTable.h"

#include "com/Object.h"

#include <QChar>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace widgets {

// The tree-list control's model: entries in one flat, depth-first index (0-based; collapsed
// entries count too), each with a caption, a look, a data object and, on demand, an embedded
// table. An entry's bookmark stays with it while entries are added and removed; bookmarks are
// never 0 and never given twice. Indices out of range are an error.
class TreeListModel {
public:
    TreeListModel() = default;
    TreeListModel(const TreeListModel&) = delete;
    TreeListModel& operator=(const TreeListModel&) = delete;

    int count() const { return static_cast<int>(m_entries.size()); }
    // Adds an entry at the top level (parent -1) or as the last child of the parent; returns its
    // index, which lastAdded() then gives too.
    int add(const QString& text, int parentIndex = -1);
    int lastAdded() const { return m_lastAdded; }
    void clear();
    // Removes the entry with its children.
    void remove(int index);

    // The first entry from `first` on, among `count` entries, whose text equals `text`; -1 when
    // none.
    int findText(const QString& text, int first, int count) const;
    // -1 when no entry has the bookmark.
    int indexOfBookmark(int32_t bookmark) const;
    int32_t bookmark(int index) const { return entry(index).bookmark; }

    const QString& text(int index) const { return entry(index).text; }
    void setText(int index, const QString& text);
    double fontSize(int index) const { return entry(index).fontSize; }
    void setFontSize(int index, double points);
    uint32_t textColor(int index) const { return entry(index).textColor; }
    void setTextColor(int index, uint32_t color);
    std::shared_ptr<com::Object> data(int index) const { return entry(index).data; }
    void setData(int index, std::shared_ptr<com::Object> data);

    int level(int index) const { return entry(index).level; }
    bool hasChildren(int index) const;
    // -1 when the entry has none.
    int firstChild(int index) const;
    // The entry on the second level that holds the entry: the entry itself on the first or second
    // level.
    int owner(int index) const;
    bool expanded(int index) const { return entry(index).expanded; }
    void setExpanded(int index, bool expanded);
    void setAllExpanded(bool expanded);
    // Whether every entry above it is expanded, so that it is drawn.
    bool shown(int index) const;

    bool highlighted(int index) const { return entry(index).highlighted; }
    void setHighlighted(int index, bool highlighted);
    // Highlights that entry alone.
    void select(int index);

    // The entry's table, made when first asked for.
    TreeListTable& table(int index);
    const TreeListTable* tableOf(int index) const { return entry(index).table.get(); }

    QChar separator() const { return m_separator; }
    void setSeparator(QChar separator) { m_separator = separator; }

    // While off, changes are not shown; switching it on shows them at once.
    bool redraw() const { return m_redraw; }
    void setRedraw(bool redraw);

    // A click on an entry or on a row of an entry's table, by the user (through the widget) or
    // from code. The handlers run synchronously.
    void clickEntry(int index);
    void clickTableRow(int index, int row);
    std::function<void(int index)> onEntryClick;
    std::function<void(TreeListTable& table, int row)> onTableClick;
    // Asked for by the painting side: called for each change that is to be shown.
    std::function<void()> onRepaint;

private:
    struct Entry {
        QString text;
        int level = 0;
        int32_t bookmark = 0;
        bool expanded = false;
        bool highlighted = false;
        double fontSize = 10.0;
        uint32_t textColor = 0xFFFFFF;
        std::shared_ptr<com::Object> data;
        std::unique_ptr<TreeListTable> table;
    };

    Entry& entry(int index);
    const Entry& entry(int index) const;
    // The index just past the entry's children.
    int subtreeEnd(int index) const;
    void changed() const;

    std::vector<Entry> m_entries;
    int32_t m_nextBookmark = 1;
    int m_lastAdded = -1;
    QChar m_separator = QLatin1Char('^');
    bool m_redraw = true;
};

} // namespace widgets
