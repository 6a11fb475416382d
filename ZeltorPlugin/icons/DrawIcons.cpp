// Build tool: draws the plug-in's icon bitmaps and writes the resource collection that names
// each by its resource name. Usage: zeltor-draw-icons <output folder>

#include "PlugInIconTable.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cmath>
#include <numbers>

namespace {

using ZeltorPlugin::IconBitmap;

const QColor kNavy(0x1f, 0x3a, 0x5f);
const QColor kBlue(0x2e, 0x7b, 0xcf);
const QColor kLightBlue(0xdc, 0xeb, 0xfa);
const QColor kGreen(0x2f, 0xa8, 0x4f);
const QColor kRed(0xd0, 0x34, 0x2c);
const QColor kGrey(0x6b, 0x72, 0x80);

QPen pen(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// One breath of a flow curve per `cycleWidth`: inspiration above the axis, expiration below.
QPainterPath breathCurve(const QRectF& box, qreal cycleWidth)
{
    QPainterPath curve;
    const qreal axis = box.center().y();
    const qreal amplitude = box.height() / 2.0;
    for (qreal x = 0; x <= box.width(); x += 0.25) {
        const qreal phase = std::fmod(x, cycleWidth) / cycleWidth;
        const qreal y = phase < 0.4 ? std::sin(phase / 0.4 * std::numbers::pi) * amplitude
                                    : -std::sin((phase - 0.4) / 0.6 * std::numbers::pi) * amplitude * 0.6;
        const QPointF point(box.left() + x, axis - y);
        if (x == 0)
            curve.moveTo(point);
        else
            curve.lineTo(point);
    }
    return curve;
}

// The Zeltor tester: a device with a screen that shows a breath.
void drawTester(QPainter& painter, const QRectF& box)
{
    const QRectF body = box.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(pen(kNavy, 1));
    painter.setBrush(kNavy);
    painter.drawRoundedRect(body, body.width() / 8, body.width() / 8);
    const QRectF screen(body.left() + body.width() * 0.14, body.top() + body.height() * 0.14, body.width() * 0.72,
                        body.height() * 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLightBlue);
    painter.drawRect(screen);
    painter.setPen(pen(kGreen, body.width() / 14));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(breathCurve(screen.adjusted(1, screen.height() * 0.2, -1, -screen.height() * 0.2), screen.width()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLightBlue);
    const qreal knob = body.width() / 8;
    for (const qreal x : {0.3, 0.7})
        painter.drawEllipse(QPointF(body.left() + body.width() * x, body.top() + body.height() * 0.82), knob, knob);
}

// Ventilator test: a flow curve over its axis, one breath per square.
void drawVentilatorTest(QPainter& painter, const QRectF& box)
{
    const QRectF plot = box.adjusted(1, 3, -1, -3);
    painter.setPen(pen(kGrey, 1));
    painter.drawLine(QPointF(plot.left(), plot.center().y()), QPointF(plot.right(), plot.center().y()));
    painter.setPen(pen(kBlue, 1.6));
    painter.drawPath(breathCurve(plot, box.height() - 2));
}

// Leakage test: a pipe across the top that drips.
void drawLeakageTest(QPainter& painter, const QRectF& box)
{
    const qreal unit = box.height() / 16;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGrey);
    painter.drawRect(QRectF(box.left(), box.top() + 2 * unit, box.width(), 4 * unit));
    painter.setBrush(kBlue);
    const int drops = static_cast<int>(box.width() / box.height());
    for (int i = 0; i < drops; ++i) {
        const qreal x = box.left() + box.height() * (i + 0.5);
        QPainterPath drop;
        drop.moveTo(x, box.top() + 6 * unit);
        drop.cubicTo(x + 5 * unit, box.top() + 11 * unit, x + 3 * unit, box.top() + 15 * unit, x, box.top() + 15 * unit);
        drop.cubicTo(x - 3 * unit, box.top() + 15 * unit, x - 5 * unit, box.top() + 11 * unit, x, box.top() + 6 * unit);
        painter.drawPath(drop);
    }
}

// Flow test: a tube with an arrow through it.
void drawFlowTest(QPainter& painter, const QRectF& box)
{
    const qreal unit = box.height() / 16;
    painter.setPen(pen(kGrey, 1.2 * unit));
    painter.drawLine(QPointF(box.left(), box.top() + 3 * unit), QPointF(box.right(), box.top() + 3 * unit));
    painter.drawLine(QPointF(box.left(), box.top() + 13 * unit), QPointF(box.right(), box.top() + 13 * unit));
    const qreal middle = box.top() + 8 * unit;
    const qreal tip = box.right() - 1.5 * unit;
    painter.setPen(pen(kBlue, 2 * unit));
    painter.drawLine(QPointF(box.left() + 1.5 * unit, middle), QPointF(tip - 3 * unit, middle));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlue);
    painter.drawPolygon(QPolygonF({QPointF(tip, middle), QPointF(tip - 5 * unit, middle - 4 * unit),
                                   QPointF(tip - 5 * unit, middle + 4 * unit)}));
}

// Pressure tests: a gauge in the first square, with a pipe to the right in a wide bitmap. The
// high-pressure gauge has a red zone that its needle points into.
void drawGauge(QPainter& painter, const QRectF& box, bool highPressure)
{
    const qreal unit = box.height() / 16;
    const QRectF dial(box.left() + unit, box.top() + unit, 14 * unit, 14 * unit);
    if (box.width() > box.height()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kGrey);
        painter.drawRect(QRectF(dial.right(), dial.center().y() - 2 * unit, box.right() - dial.right(), 4 * unit));
    }
    painter.setPen(pen(kNavy, 1.5 * unit));
    painter.setBrush(kLightBlue);
    painter.drawEllipse(dial);
    if (highPressure) {
        painter.setPen(QPen(kRed, 3 * unit, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(dial.adjusted(3 * unit, 3 * unit, -3 * unit, -3 * unit), -40 * 16, 100 * 16);
    }
    const qreal angle = (highPressure ? 20.0 : 60.0) * std::numbers::pi / 180.0;
    const qreal length = 5.5 * unit;
    const QPointF hub = dial.center();
    painter.setPen(pen(kNavy, 1.5 * unit));
    painter.drawLine(hub, hub + QPointF(std::cos(angle) * length, -std::sin(angle) * length));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNavy);
    painter.drawEllipse(hub, 1.5 * unit, 1.5 * unit);
}

void drawPictogram(QPainter& painter, int32_t testId, const QRectF& box)
{
    switch (testId) {
    case 0: drawTester(painter, box); break;
    case 100: drawVentilatorTest(painter, box); break;
    case 200: drawLeakageTest(painter, box); break;
    case 300: drawFlowTest(painter, box); break;
    case 400: drawGauge(painter, box, false); break;
    case 500: drawGauge(painter, box, true); break;
    default: break;
    }
}

QImage drawBitmap(const IconBitmap& bitmap)
{
    const QSize size = ZeltorPlugin::iconPixelSize(bitmap.size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawPictogram(painter, bitmap.testId, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return image.convertToFormat(bitmap.palette ? QImage::Format_Indexed8 : QImage::Format_RGB888);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        QTextStream(stderr) << "usage: zeltor-draw-icons <output folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "zeltor-draw-icons: cannot create " << folder.path() << '\n';
        return 1;
    }
    QString collection = QStringLiteral("<RCC>\n  <qresource prefix=\"/ZeltorPlugin\">\n");
    int index = 0;
    for (const IconBitmap& bitmap : ZeltorPlugin::kIconBitmaps) {
        const QString file = QStringLiteral("icon%1.png").arg(index++);
        if (!drawBitmap(bitmap).save(folder.filePath(file), "PNG")) {
            QTextStream(stderr) << "zeltor-draw-icons: cannot write " << folder.filePath(file) << '\n';
            return 1;
        }
        collection += QStringLiteral("    <file alias=\"%1\">%2</file>\n")
                          .arg(QString::fromLatin1(bitmap.name).toHtmlEscaped(), file);
    }
    collection += QStringLiteral("  </qresource>\n</RCC>\n");
    QFile out(folder.filePath(QStringLiteral("ZeltorPluginIcons.qrc")));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(collection.toUtf8()) < 0) {
        QTextStream(stderr) << "zeltor-draw-icons: cannot write " << out.fileName() << '\n';
        return 1;
    }
    return 0;
}
