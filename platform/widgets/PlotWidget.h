#pragma once

#include "PlotModel.h"

#include <QPointF>
#include <QRect>
#include <QTimer>
#include <QWidget>

namespace widgets {

// The plot control on screen: paints its model (axes with ticks and labels, the visible data
// lines broken at points that are not drawn, channels and line items) on a black ground.
// Changes of the model repaint at most once per frame where a frame rate is set.
class PlotWidget final : public QWidget {
public:
    explicit PlotWidget(QWidget* parent = nullptr);

    PlotModel& model() { return m_model; }
    const PlotModel& model() const { return m_model; }

    // The rectangle the data is drawn in, and where a plot value lands in the widget.
    QRect plotArea() const;
    // Room kept free at the left edge, in pixels, for controls laid over the plot there; the Y
    // labels and the data move right by it.
    void setReservedLeft(int pixels);
    QPointF toPixels(double x, double y) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void scheduleRepaint();

    PlotModel m_model;
    QTimer m_frameTimer;
    int m_reservedLeft = 0;
};

} // namespace widgets
