#include "GraphLayout.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using ZeltorGraph::GraphLayoutInput;
using ZeltorGraph::GraphLayoutResult;
using ZeltorGraph::graphLayout;

struct LayoutCase {
    const char* name;
    QSize inner;
    bool titleVisible;
    std::array<GraphLayoutInput::LegendEntry, 4> legend;
    std::optional<QRect> plot;
    std::optional<QRect> shadow;
    QPoint scaleX;
    QPoint scaleY;
    std::array<std::optional<QPoint>, 4> legendAt;
    QPoint fps;
};

// An X strip of 1530 x 330 twips, a frame-rate label of 525 and a title of 255 twips.
const LayoutCase kCases[] = {
    {"title shown: plot inside a 30-twip margin, band 345 high",
     {9600, 6000}, true, {{{true, 1200}, {false, 600}, {false, 500}, {true, 900}}},
     QRect(30, 255, 9540, 5370), QRect(30, 5625, 9540, 345), {7710, 5625}, {60, 375},
     {QPoint(1000, 5625), std::nullopt, std::nullopt, QPoint(2425, 5625)}, {7065, 5660}},
    {"title hidden: plot from the top edge, band 375 high",
     {9600, 6000}, false, {{{true, 1200}, {false, 600}, {false, 500}, {true, 900}}},
     QRect(0, 0, 9600, 5625), QRect(0, 5625, 9600, 375), {7770, 5625}, {60, 120},
     {QPoint(1000, 5625), std::nullopt, std::nullopt, QPoint(2425, 5625)}, {7125, 5660}},
    {"every entry shown: each one 225 twips after the last",
     {9600, 6000}, true, {{{true, 1200}, {true, 600}, {true, 500}, {true, 900}}},
     QRect(30, 255, 9540, 5370), QRect(30, 5625, 9540, 345), {7710, 5625}, {60, 375},
     {QPoint(1000, 5625), QPoint(2425, 5625), QPoint(3250, 5625), QPoint(3975, 5625)}, {7065, 5660}},
    {"too low for the plot: the plot is not placed, the band still is",
     {3000, 500}, true, {{{false, 1200}, {true, 600}, {false, 500}, {false, 900}}},
     std::nullopt, QRect(30, 125, 2940, 345), {1110, 125}, {60, 375},
     {std::nullopt, QPoint(1000, 125), std::nullopt, std::nullopt}, {465, 160}},
    {"too narrow for the plot and the band",
     {40, 6000}, true, {{{false, 1200}, {false, 600}, {false, 500}, {false, 900}}},
     std::nullopt, std::nullopt, {-1850, 5625}, {60, 375},
     {std::nullopt, std::nullopt, std::nullopt, std::nullopt}, {-2495, 5660}},
};

TEST(GraphLayout, PlacesThePartsInTwips)
{
    for (const LayoutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        GraphLayoutInput input;
        input.inner = c.inner;
        input.titleVisible = c.titleVisible;
        input.titleHeight = 255;
        input.scaleX = QSize(1530, 330);
        input.fpsWidth = 525;
        input.legend = c.legend;
        const GraphLayoutResult layout = graphLayout(input);
        EXPECT_EQ(layout.title, QRect(0, 0, c.inner.width(), 255)) << "the title spans the top either way";
        EXPECT_EQ(layout.plot, c.plot);
        EXPECT_EQ(layout.shadow, c.shadow);
        EXPECT_EQ(layout.scaleX, c.scaleX);
        EXPECT_EQ(layout.scaleY, c.scaleY);
        for (size_t index = 0; index < 4; ++index)
            EXPECT_EQ(layout.legend[index], c.legendAt[index]) << "legend entry " << index;
        EXPECT_EQ(layout.fps, c.fps);
    }
}

} // namespace
