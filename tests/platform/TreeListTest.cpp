#include <widgets/TreeListWidget.h>

#include "PixelProbe.h"

#include "com/Error.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using widgets::TreeListModel;
using widgets::TreeListTable;
using widgets::TreeListWidget;

namespace {

// Two headers with children, the first child of the second header with two children of its own:
//   0 Waveforms, 1 Flow, 2 Trends, 3 Night, 4 Day, 5 Day/Flow, 6 Day/Pressure
struct Tree : ::testing::Test {
    Tree()
    {
        list.add(QStringLiteral("Waveforms"));
        list.add(QStringLiteral("Trends"));
        list.add(QStringLiteral("Night"), 1);
        const int day = list.add(QStringLiteral("Day"), 1);
        list.add(QStringLiteral("Day/Flow"), day);
        list.add(QStringLiteral("Day/Pressure"), day);
        // A child of the first header goes before the second header.
        list.add(QStringLiteral("Flow"), 0);
    }

    QStringList texts() const
    {
        QStringList all;
        for (int index = 0; index < list.count(); ++index)
            all << list.text(index);
        return all;
    }

    TreeListModel list;
};

TEST_F(Tree, KeepsEveryEntryInOneDepthFirstIndex)
{
    EXPECT_EQ(texts(), (QStringList{"Waveforms", "Flow", "Trends", "Night", "Day", "Day/Flow", "Day/Pressure"}));
    EXPECT_EQ(list.lastAdded(), 1);
    EXPECT_EQ(list.level(0), 0);
    EXPECT_EQ(list.level(5), 2);
    EXPECT_TRUE(list.hasChildren(4));
    EXPECT_FALSE(list.hasChildren(3));
    EXPECT_EQ(list.firstChild(2), 3);
    EXPECT_EQ(list.firstChild(3), -1);
    // The second-level entry holding an entry; the entry itself on the first two levels.
    for (const auto& [index, owner] : std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {4, 4}, {5, 4}, {6, 4}})
        EXPECT_EQ(list.owner(index), owner) << index;
}

TEST_F(Tree, BookmarksStayWithTheirEntriesAndAreNeverZeroOrGivenTwice)
{
    std::vector<int32_t> seen;
    for (int index = 0; index < list.count(); ++index)
        seen.push_back(list.bookmark(index));
    const int32_t night = list.bookmark(3);
    const int32_t day = list.bookmark(4);
    const int32_t dayFlow = list.bookmark(5);

    list.remove(list.indexOfBookmark(night));
    EXPECT_EQ(list.indexOfBookmark(night), -1);
    EXPECT_EQ(list.indexOfBookmark(day), 3);
    list.remove(list.indexOfBookmark(day));
    EXPECT_EQ(list.indexOfBookmark(dayFlow), -1) << "children go with their entry";
    EXPECT_EQ(texts(), (QStringList{"Waveforms", "Flow", "Trends"}));

    list.clear();
    list.add(QStringLiteral("Again"));
    seen.push_back(list.bookmark(0));
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end()) << "a bookmark was given twice";
    EXPECT_GT(seen.front(), 0);
}

TEST_F(Tree, FindsTextWithinTheRangeAsked)
{
    EXPECT_EQ(list.findText(QStringLiteral("Day"), 0, list.count()), 4);
    EXPECT_EQ(list.findText(QStringLiteral("Day"), 5, list.count()), -1);
    EXPECT_EQ(list.findText(QStringLiteral("Day"), 0, 4), -1) << "only four entries searched";
    EXPECT_EQ(list.findText(QStringLiteral("Nothing"), 0, list.count()), -1);
}

TEST_F(Tree, CollapsedEntriesCountButAreNotShown)
{
    list.setAllExpanded(false);
    EXPECT_FALSE(list.shown(5));
    list.setExpanded(2, true);
    EXPECT_TRUE(list.shown(4));
    EXPECT_FALSE(list.shown(5)) << "its parent Day is still closed";
    list.setExpanded(4, true);
    EXPECT_TRUE(list.shown(6));
    EXPECT_EQ(list.count(), 7);
}

TEST_F(Tree, SelectingHighlightsOneEntry)
{
    list.setHighlighted(0, true);
    list.select(3);
    for (int index = 0; index < list.count(); ++index)
        EXPECT_EQ(list.highlighted(index), index == 3) << index;
}

TEST_F(Tree, IndicesOutOfRangeAreErrors)
{
    EXPECT_THROW(list.text(7), com::Error);
    EXPECT_THROW(list.remove(-1), com::Error);
    EXPECT_THROW(list.add(QStringLiteral("x"), 9), com::Error);
    EXPECT_THROW(list.table(1).cell(1, 0), com::Error);
}

TEST_F(Tree, TableRowsSplitAtTheSeparatorFromColumnOneOn)
{
    TreeListTable& table = list.table(3);
    EXPECT_EQ(table.rowCount(), 1) << "the header row";
    table.setColumnCount(4);
    table.column(2).style.alignment = widgets::TreeListStyle::kAlignRight;
    table.addRow(QStringLiteral("Breath rate^12.5^18.0"));
    list.setSeparator(QLatin1Char('|'));
    table.addRow(QStringLiteral("Volume|0.4|0.6|ignored"));
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.cell(1, 0).text, QString());
    EXPECT_EQ(table.cell(1, 1).text, QStringLiteral("Breath rate"));
    EXPECT_EQ(table.cell(1, 3).text, QStringLiteral("18.0"));
    EXPECT_EQ(table.cell(2, 2).text, QStringLiteral("0.4"));
    EXPECT_EQ(table.cell(2, 2).alignment, widgets::TreeListStyle::kAlignRight) << "as its column";

    // The table follows its entry's index, and knows when the entry is gone.
    EXPECT_EQ(table.ownerIndex(), 3);
    list.remove(1);
    EXPECT_EQ(table.ownerIndex(), 2);
}

// The list on screen, with the Trends header open and a table under Night.
struct ShownTree : ::testing::Test {
    ShownTree()
    {
        widget.resize(300, 400);
        TreeListModel& model = widget.model();
        model.add(QStringLiteral("Waveforms"));
        model.add(QStringLiteral("Flow"), 0);
        model.add(QStringLiteral("Trends"));
        model.add(QStringLiteral("Night"), 2);
        TreeListTable& table = model.table(3);
        table.setColumnCount(4);
        table.column(1).width = 1900;
        table.column(2).width = 700;
        table.addRow(QStringLiteral("Breath rate^12^18"));
        model.setExpanded(2, true);
        model.onEntryClick = [this](int index) { entryClicks.push_back(index); };
        model.onTableClick = [this](TreeListTable& clicked, int row) {
            tableClicks.push_back(row);
            clickedOwner = clicked.ownerIndex();
        };
    }

    void clickAt(QPoint point) { QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, point); }

    TreeListWidget widget;
    std::vector<int> entryClicks;
    std::vector<int> tableClicks;
    int clickedOwner = -1;
};

TEST_F(ShownTree, ClicksSelectEntriesOpenThemAndReachTableRows)
{
    TreeListModel& model = widget.model();
    EXPECT_TRUE(widget.lineRect(1).isEmpty()) << "Waveforms is closed";

    clickAt(widget.lineRect(3).center());
    EXPECT_EQ(entryClicks, std::vector<int>{3});
    EXPECT_TRUE(model.highlighted(3));

    clickAt(widget.lineRect(3, 1).center());
    EXPECT_EQ(tableClicks, std::vector<int>{1});
    EXPECT_EQ(clickedOwner, 3);

    // The expander at the left opens Waveforms; the click is no entry click.
    clickAt(QPoint(4, widget.lineRect(0).center().y()));
    EXPECT_TRUE(model.expanded(0));
    EXPECT_FALSE(widget.lineRect(1).isEmpty());
    EXPECT_EQ(entryClicks.size(), 1u);
}

TEST_F(ShownTree, PaintsTheHighlightAndTheEntryColours)
{
    TreeListModel& model = widget.model();
    model.select(3);
    model.setTextColor(2, 0x0000FF);
    const QImage image = widget.viewport()->grab().toImage();
    const QRect night = widget.lineRect(3);
    EXPECT_EQ(image.pixelColor(night.right() - 2, night.center().y()), QColor(0, 0, 128));
    const QRect trends = widget.lineRect(2);
    bool red = false;
    for (int x = trends.left(); x < trends.right() && !red; ++x)
        red = colourNear(image, QPointF(x, trends.center().y()), QColor(255, 0, 0));
    EXPECT_TRUE(red);

    // While drawing is off nothing is painted over the ground.
    model.setRedraw(false);
    const QImage held = widget.viewport()->grab().toImage();
    EXPECT_NE(held.pixelColor(night.right() - 2, night.center().y()), QColor(0, 0, 128));
}

} // namespace
