#include "ScaleButtonPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace ZeltorGraph {

namespace {

const QColor kActiveInk(20, 20, 20);
const QColor kDimmedInk(110, 110, 110);
const QColor kAutoOn(40, 170, 60);
const QColor kAutoOff(150, 150, 150);

// A magnifying glass with a plus (zoom in) or a minus (zoom out).
void drawMagnifier(QPainter& painter, double size, bool plus)
{
    const double radius = size * 0.28;
    const QPointF centre(size * 0.42, size * 0.42);
    painter.drawEllipse(centre, radius, radius);
    painter.drawLine(centre + QPointF(radius * 0.72, radius * 0.72), QPointF(size * 0.88, size * 0.88));
    const double bar = radius * 0.55;
    painter.drawLine(centre - QPointF(bar, 0.0), centre + QPointF(bar, 0.0));
    if (plus)
        painter.drawLine(centre - QPointF(0.0, bar), centre + QPointF(0.0, bar));
}

// A filled arrow head pointing by `angle` degrees (0 right, 90 down) from the centre.
void drawArrow(QPainter& painter, double size, double angle)
{
    QPolygonF head;
    head << QPointF(0.30, 0.0) << QPointF(-0.22, -0.28) << QPointF(-0.22, 0.28);
    painter.save();
    painter.translate(size / 2.0, size / 2.0);
    painter.rotate(angle);
    painter.scale(size, size);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(head);
    painter.restore();
}

// A circle with an "A": green while auto-scaling is on, grey while it is off.
void drawAuto(QPainter& painter, double size, bool autoScale)
{
    const QColor colour = autoScale ? kAutoOn : kAutoOff;
    painter.setBrush(colour);
    painter.setPen(colour.darker(130));
    painter.drawEllipse(QPointF(size / 2.0, size / 2.0), size * 0.4, size * 0.4);
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(size * 0.55));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0.0, 0.0, size, size), Qt::AlignCenter, QStringLiteral("A"));
}

} // namespace

QPixmap scaleButtonPicture(ScaleDirection direction, int index, bool autoScale, int size)
{
    QPixmap picture(size, size);
    picture.fill(QColor(212, 208, 200));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = autoScale ? kDimmedInk : kActiveInk;
    painter.setPen(QPen(ink, std::max(1.5, size / 10.0), Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(ink);
    const bool x = direction == ScaleDirection::X;
    switch (index) {
    case 0:
    case 4:
        painter.setBrush(Qt::NoBrush);
        drawMagnifier(painter, size, index == 0);
        break;
    case 1: // X: scroll curve right; Y: scroll data up
        drawArrow(painter, size, x ? 0.0 : 270.0);
        break;
    case 3: // X: scroll curve left; Y: scroll data down
        drawArrow(painter, size, x ? 180.0 : 90.0);
        break;
    default:
        drawAuto(painter, size, autoScale);
        break;
    }
    return picture;
}

} // namespace ZeltorGraph
