#include "GraphLayout.h"

namespace ZeltorGraph {

namespace {

constexpr int kMargin = 30;
constexpr int kBandHeight = 375;
constexpr int kScaleXRightGap = 300;
constexpr int kScaleYLeft = 60;
constexpr int kScaleYBelowPlotTop = 120;
constexpr int kLegendStart = 1000;
constexpr int kLegendGap = 225;
constexpr int kFpsBelowScaleX = 35;
constexpr int kFpsGap = 120;

std::optional<QRect> placed(int left, int top, int width, int height)
{
    if (width < 0 || height < 0)
        return std::nullopt;
    return QRect(left, top, width, height);
}

} // namespace

GraphLayoutResult graphLayout(const GraphLayoutInput& input)
{
    GraphLayoutResult result;
    int width = input.inner.width();
    int height = input.inner.height();
    result.title = placed(0, 0, width, input.titleHeight);
    const int margin = input.titleVisible ? kMargin : 0;
    const int top = input.titleVisible ? input.titleHeight : 0;
    width -= 2 * margin;
    height -= top + kBandHeight;
    result.plot = placed(margin, top, width, height);
    const int shadowTop = top + height;
    result.shadow = placed(margin, shadowTop, width, kBandHeight - margin);
    result.scaleX = QPoint(width - input.scaleX.width() - kScaleXRightGap, shadowTop);
    result.scaleY = QPoint(kScaleYLeft, top + kScaleYBelowPlotTop);
    int x = kLegendStart;
    for (size_t index = 0; index < input.legend.size(); ++index) {
        const GraphLayoutInput::LegendEntry& entry = input.legend[index];
        if (!entry.visible)
            continue;
        result.legend[index] = QPoint(x, shadowTop);
        x += entry.width + kLegendGap;
    }
    result.fps = QPoint(result.scaleX.x() - input.fpsWidth - kFpsGap, result.scaleX.y() + kFpsBelowScaleX);
    return result;
}

} // namespace ZeltorGraph
