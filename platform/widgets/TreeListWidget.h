#pragma once

#include "TreeListModel.h"

#include <QAbstractScrollArea>
#include <QRect>

#include <vector>

namespace widgets {

// The tree-list control on screen: the shown entries of its model one below the other, indented
// by level with an expander where an entry has children, each entry's table under it, on a black
// ground. A click on an expander opens or closes the entry; a click on an entry selects it and
// raises the entry click; a click on a table row raises the table click.
class TreeListWidget final : public QAbstractScrollArea {
public:
    // One line of the list: an entry, or a row of an entry's table (row 0 its header).
    struct Line {
        int entry = -1;
        int tableRow = -1;
        QRect rect; // in the content, before scrolling
    };

    explicit TreeListWidget(QWidget* parent = nullptr);

    TreeListModel& model() { return m_model; }
    const TreeListModel& model() const { return m_model; }

    // The lines as they are laid out now.
    std::vector<Line> lines() const;
    // Where a line of that entry (and table row) lies in the viewport; an empty rectangle when it
    // is not shown.
    QRect lineRect(int entry, int tableRow = -1) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static int indentOf(int level);
    void updateScrollRange();
    void paintEntry(QPainter& painter, const Line& line) const;
    void paintTableRow(QPainter& painter, const Line& line) const;

    TreeListModel m_model;
};

} // namespace widgets
