#include "report/ReportCanvas.h"

#include "HostErrors.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.Report");
constexpr int kTwipsPerInch = 1440;
// Half a point.
constexpr int kPenWidth = 10;
// Dots of a point with gaps of two, in pen widths, so a dotted curve stands apart from a solid one
// on paper.
const QList<qreal> kDots{2.0, 4.0};

QString normalisedLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

ReportCanvas::ReportCanvas(const QString& fileName) : m_fileName(fileName), m_file(fileName)
{
    // The file is opened here rather than by the writer, whose painter would only say that it
    // could not begin.
    if (!m_file.open(QIODevice::WriteOnly))
        errors::raise(errors::kPathFileAccess, kSource,
                      QStringLiteral("the report \"%1\" cannot be written: %2").arg(fileName, m_file.errorString()));
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setResolution(kTwipsPerInch);
    m_writer->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    m_writer->setCreator(QStringLiteral("Nelvar"));
    if (!m_painter.begin(m_writer.get()))
        errors::raise(errors::kPathFileAccess, kSource, QStringLiteral("the report \"%1\" cannot be written").arg(fileName));
}

ReportCanvas::~ReportCanvas()
{
    if (m_painter.isActive()) {
        flushPolyline();
        m_painter.end();
    }
}

void ReportCanvas::newPage()
{
    flushPolyline();
    m_writer->newPage();
    ++m_pageCount;
}

void ReportCanvas::line(QPoint from, QPoint to, Qt::PenStyle style)
{
    const QRect printable(m_geometry.left, m_geometry.top, m_geometry.right - m_geometry.left,
                          m_geometry.bottom - m_geometry.top);
    if (!printable.intersects(QRect(from, to).normalized()))
        return;
    if (!m_polyline.isEmpty() && m_polyline.last() == from && m_polylineStyle == style) {
        m_polyline << to;
        return;
    }
    flushPolyline();
    m_polyline << from << to;
    m_polylineStyle = style;
}

void ReportCanvas::flushPolyline()
{
    if (m_polyline.isEmpty())
        return;
    QPen pen(Qt::black, kPenWidth, m_polylineStyle, Qt::FlatCap, Qt::RoundJoin);
    if (m_polylineStyle == Qt::DotLine)
        pen.setDashPattern(kDots);
    m_painter.setPen(pen);
    m_painter.drawPolyline(m_polyline);
    m_polyline.clear();
}

void ReportCanvas::rectangle(const QRect& rect, std::optional<QColor> fill)
{
    flushPolyline();
    m_painter.setPen(QPen(Qt::black, kPenWidth));
    m_painter.setBrush(fill ? QBrush(*fill) : QBrush(Qt::NoBrush));
    m_painter.drawRect(rect.normalized());
    m_painter.setBrush(Qt::NoBrush);
}

void ReportCanvas::shade(const QRect& rect, const QColor& colour)
{
    flushPolyline();
    m_painter.fillRect(rect.normalized(), colour);
}

void ReportCanvas::text(const QString& text, const TextBox& box, const QFont& font)
{
    flushPolyline();
    int flags = static_cast<int>(box.alignment) | Qt::AlignTop;
    if (box.wrap)
        flags |= Qt::TextWordWrap;
    if (!box.clip)
        flags |= Qt::TextDontClip;
    m_painter.save();
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    m_painter.translate(box.rect.topLeft());
    m_painter.rotate(-box.angle / 10.0);
    m_painter.drawText(QRect(QPoint(0, 0), box.rect.size()), flags, normalisedLineBreaks(text));
    m_painter.restore();
}

QSize ReportCanvas::textExtent(const QString& text, const QFont& font) const
{
    const QFontMetrics metrics(font, m_writer.get());
    const QStringList lines = normalisedLineBreaks(text).split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return {width, static_cast<int>(lines.size()) * metrics.lineSpacing()};
}

int32_t ReportCanvas::wrappedTextHeight(const QString& text, const QFont& font, int32_t width) const
{
    const QFontMetrics metrics(font, m_writer.get());
    const QRect bounds = metrics.boundingRect(QRect(0, 0, std::max(width, 1), 0),
                                              Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                              normalisedLineBreaks(text));
    return bounds.height();
}

void ReportCanvas::finish()
{
    if (!m_painter.isActive())
        return;
    flushPolyline();
    if (!m_painter.end() || !m_file.flush())
        errors::raise(errors::kPathFileAccess, kSource, QStringLiteral("the report \"%1\" was not written").arg(m_fileName));
}

} // namespace host
