#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <optional>

namespace ZeltorGraph {

// What the graph control's layout depends on, in twips.
struct GraphLayoutInput {
    struct LegendEntry {
        bool visible = true;
        int width = 0;
    };

    QSize inner;            // the control's inner width and height
    bool titleVisible = true;
    int titleHeight = 255;
    QSize scaleX;           // the X strip's size
    int fpsWidth = 525;
    std::array<LegendEntry, 4> legend{};
};

// Where the graph control's parts go, in twips. A rectangle whose width or height would be
// negative is not placed (the part keeps where it was), as is a legend entry that is hidden.
struct GraphLayoutResult {
    std::optional<QRect> title;
    std::optional<QRect> plot;
    std::optional<QRect> shadow;
    QPoint scaleX;
    QPoint scaleY;
    std::array<std::optional<QPoint>, 4> legend{};
    QPoint fps;
};

// The layout: the title across the top, the plot under it (inside a 30-twip margin while the title
// shows), the 375-twip band under the plot carrying the strips and the legend, the Y strip over
// the plot's top left, and the frame-rate label left of the X strip.
GraphLayoutResult graphLayout(const GraphLayoutInput& input);

} // namespace ZeltorGraph
