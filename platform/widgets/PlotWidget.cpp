#include "PlotWidget.h"

#include "Colors.h"
#include "PlotTicks.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace widgets {

namespace {

constexpr int kLeftMargin = 56;
constexpr int kTopMargin = 18;
constexpr int kRightMargin = 12;
constexpr int kBottomMargin = 22;
constexpr int kTickLength = 4;
constexpr int kLabelGap = 12;
constexpr int kYTickCount = 5;
// Pixel coordinates handed to the painter stay within this, whatever the data.
constexpr double kPixelLimit = 1e5;
const QColor kAxisColor(160, 160, 160);

// Where `value` of the axis range [first, last] lands between the pixels `from` and `to`;
// NaN when the range cannot be drawn.
double scale(double value, double first, double last, double from, double to)
{
    const double range = last - first;
    if (!std::isfinite(range) || range <= 0.0)
        return std::nan("");
    const double pixel = from + (value - first) / range * (to - from);
    return std::clamp(pixel, -kPixelLimit, kPixelLimit);
}

bool drawable(const QPointF& point)
{
    return std::isfinite(point.x()) && std::isfinite(point.y());
}

} // namespace

PlotWidget::PlotWidget(QWidget* parent)
    : QWidget(parent)
{
    m_frameTimer.setSingleShot(true);
    connect(&m_frameTimer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    m_model.onRepaint = [this] { scheduleRepaint(); };
}

QRect PlotWidget::plotArea() const
{
    return rect().adjusted(m_reservedLeft + kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin);
}

void PlotWidget::setReservedLeft(int pixels)
{
    if (pixels == m_reservedLeft)
        return;
    m_reservedLeft = std::max(0, pixels);
    update();
}

QPointF PlotWidget::toPixels(double x, double y) const
{
    const QRectF area = plotArea();
    const PlotAxis& xAxis = m_model.xAxis();
    const PlotAxis& yAxis = m_model.yAxis();
    return {scale(x, xAxis.shownMinimum(), xAxis.shownMaximum(), area.left(), area.right()),
            scale(y, yAxis.shownMinimum(), yAxis.shownMaximum(), area.bottom(), area.top())};
}

void PlotWidget::scheduleRepaint()
{
    const int frameRate = m_model.frameRate();
    if (frameRate <= 0) {
        update();
        return;
    }
    if (!m_frameTimer.isActive())
        m_frameTimer.start(std::max(1, 1000 / frameRate));
}

void PlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRect area = plotArea();
    if (area.width() < 1 || area.height() < 1)
        return;
    const QFontMetrics metrics = painter.fontMetrics();
    const PlotAxis& xAxis = m_model.xAxis();
    const PlotAxis& yAxis = m_model.yAxis();

    // Axes, ticks and labels.
    painter.setPen(kAxisColor);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.bottomLeft(), area.topLeft());
    painter.drawText(QRect(m_reservedLeft, 0, width() - m_reservedLeft, kTopMargin), Qt::AlignLeft | Qt::AlignVCenter,
                     yAxis.title());
    const double xFirst = xAxis.shownMinimum();
    const double xLast = xAxis.shownMaximum();
    const double labelSpacing = metrics.horizontalAdvance(m_model.xLabel(xLast)) + kLabelGap;
    for (const double tick :
         tickValues(xFirst, xLast, xAxis.labelStep(), area.width(), labelSpacing)) {
        const double x = toPixels(tick, 0.0).x();
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + kTickLength));
        const QString label = m_model.xLabel(tick);
        // Centred under its tick, but kept inside the widget.
        const double labelWidth = metrics.horizontalAdvance(label);
        const double left = std::clamp(x - labelWidth / 2.0, 0.0, std::max(0.0, width() - labelWidth));
        painter.drawText(QPointF(left, area.bottom() + kTickLength + metrics.ascent()), label);
    }
    const double yFirst = yAxis.shownMinimum();
    const double yLast = yAxis.shownMaximum();
    for (const double tick : tickValues(yFirst, yLast, roundStep(yLast - yFirst, kYTickCount),
                                        area.height(), metrics.height())) {
        const double y = toPixels(0.0, tick).y();
        painter.drawLine(QPointF(area.left() - kTickLength, y), QPointF(area.left(), y));
        const QString label = QString::number(tick, 'g', 6);
        painter.drawText(QPointF(area.left() - kTickLength - 2 - metrics.horizontalAdvance(label),
                                 y + metrics.ascent() / 2.0),
                         label);
    }

    painter.setClipRect(area.adjusted(0, 0, 1, 1));
    const auto horizontal = [&](double y) {
        const double pixel = toPixels(0.0, y).y();
        if (std::isfinite(pixel))
            painter.drawLine(QPointF(area.left(), pixel), QPointF(area.right(), pixel));
    };
    for (int index = 0; index < m_model.channelCount(); ++index) {
        const PlotChannel& channel = m_model.channel(index);
        if (!channel.visible())
            continue;
        painter.setPen(colorOf(channel.color()));
        horizontal(channel.firstReference());
        if (channel.referenceMode() != PlotChannel::kOneReference)
            horizontal(channel.secondReference());
    }

    // Data lines, broken at every point that is not drawn.
    for (int index = 0; index < PlotModel::kDataLineCount; ++index) {
        const PlotDataLine& line = m_model.dataLine(index);
        if (!line.visible())
            continue;
        painter.setPen(colorOf(line.color()));
        QPolygonF run;
        const auto flush = [&] {
            if (run.size() == 1)
                painter.drawPoint(run.front());
            else if (run.size() > 1)
                painter.drawPolyline(run);
            run.clear();
        };
        for (const PlotDataLine::Point& point : line.points()) {
            const QPointF pixel = toPixels(point.x, point.y);
            if (PlotDataLine::drawn(point) && drawable(pixel))
                run.append(pixel);
            else
                flush();
        }
        flush();
    }

    for (int index = 0; index < m_model.lineItemCount(); ++index) {
        const PlotLineItem& item = m_model.lineItem(index);
        if (!item.visible())
            continue;
        painter.setPen(colorOf(item.color()));
        if (item.orientation() == PlotLineItem::Orientation::Vertical) {
            const double x = toPixels(item.xPosition(), 0.0).x();
            if (!std::isfinite(x))
                continue;
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
            painter.drawText(QPointF(x + 2.0, area.top() + metrics.ascent()), item.label());
        } else {
            const double y = toPixels(0.0, item.yPosition()).y();
            if (!std::isfinite(y))
                continue;
            painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
            painter.drawText(QPointF(area.left() + 2.0, y - 2.0), item.label());
        }
    }
}

} // namespace widgets
