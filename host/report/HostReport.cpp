#include "report/HostReport.h"

#include "HostErrors.h"

#include "HostServices.h"

#include "com/Error.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.Report");
constexpr int32_t kPrintWidthTwips = 10;
constexpr int32_t kGapBelowTable = 140;
constexpr float kTableFontSize = 9.0f;
constexpr float kPageNumberSize = 8.0f;
// The page number's top, below the printable area's bottom edge.
constexpr int32_t kPageNumberGap = 280;

// An RGB colour given as &HBBGGRR.
QColor colourOf(int32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

Qt::Alignment alignmentOf(int32_t alignment)
{
    switch (alignment) {
    case Nelvar::IReport::etaCenter:
        return Qt::AlignHCenter;
    case Nelvar::IReport::etaRight:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

} // namespace

HostReport::HostReport(const QString& pdfFileName, int32_t printOptions, int32_t printLevel)
    : m_canvas(pdfFileName)
    , m_printOptions(printOptions)
    , m_printLevel(printLevel)
    , m_currentY(m_canvas.geometry().top)
{
}

void HostReport::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    numberPage();
    m_canvas.finish();
}

void HostReport::numberPage()
{
    const int32_t page = m_canvas.pageCount();
    const QString number = m_pageTotal > 0 ? QStringLiteral("page %1 of %2").arg(page).arg(m_pageTotal)
                                           : QStringLiteral("page %1").arg(page);
    ReportFont font;
    font.setSize(kPageNumberSize);
    const PageGeometry& geometry = m_canvas.geometry();
    TextBox box;
    box.rect = QRect(geometry.left, geometry.bottom + kPageNumberGap, geometry.right - geometry.left,
                     m_canvas.textExtent(number, font.toQFont()).height());
    box.alignment = Qt::AlignHCenter;
    m_canvas.text(number, box, font.toQFont());
}

QString HostReport::GetText(const QString& product, const QString& key, const QStringList& arguments)
{
    return Nelvar::languageService().GetText(product, key, arguments);
}

const PageGeometry& HostReport::pageOf(int32_t page) const
{
    if (page != kCurrentPage && (page < 1 || page > m_canvas.pageCount()))
        errors::raise(com::errInvalidCall, kSource, QStringLiteral("the report has no page %1").arg(page));
    return m_canvas.geometry();
}

void HostReport::PageLeft(int32_t page, int32_t& left) const { left = pageOf(page).left; }

void HostReport::PageRight(int32_t page, int32_t& right) const { right = pageOf(page).right; }

void HostReport::PageBottom(int32_t page, int32_t& bottom) const { bottom = pageOf(page).bottom; }

void HostReport::NewPage()
{
    numberPage();
    m_canvas.newPage();
    m_currentY = m_canvas.geometry().top;
}

void HostReport::TextWidth(const QString& text, int32_t& width) const
{
    width = m_canvas.textExtent(text, m_font->toQFont()).width();
}

void HostReport::TextHeight(const QString& text, int32_t& height) const
{
    height = m_canvas.textExtent(text, m_font->toQFont()).height();
}

void HostReport::PrintWidth(int32_t what, int32_t& width) const
{
    if (what != kPrintWidthTwips)
        errors::raise(com::errInvalidCall, kSource, QStringLiteral("the print width is asked with 10, not %1").arg(what));
    width = m_canvas.geometry().right - m_canvas.geometry().left;
}

void HostReport::PrintTable(const QString& format, const QString& header, const QString& body, int32_t, int32_t,
                            int32_t)
{
    const auto columns = parseColumnFormat(format);
    ReportFont tableFont;
    tableFont.setSize(kTableFontSize);
    ReportTablePrinter printer(m_canvas, tableFont.toQFont(), m_tableStyle);
    m_currentY = printer.print(columns, parseTableRows(header), parseTableRows(body), m_currentY) + kGapBelowTable;
}

void HostReport::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { Line(x1, y1, x2, y2); }

void HostReport::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    m_canvas.line(QPoint(x1, y1), QPoint(x2, y2), m_drawStyle == edsDot ? Qt::DotLine : Qt::SolidLine);
}

void HostReport::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t, int32_t)
{
    const QRect rect(x1, y1, x2 - x1, y2 - y1);
    m_canvas.rectangle(rect, m_fillStyle == efsSolid ? std::optional<QColor>(colourOf(m_fillColor)) : std::nullopt);
}

void HostReport::PrintText(const QString& text, int32_t left, int32_t top, int32_t width, int32_t height, bool wrap,
                           bool clip, bool fit)
{
    const QFont font = m_font->toQFont();
    TextBox box;
    box.rect = QRect(left, top, width, height);
    if (fit) {
        const QSize extent = m_canvas.textExtent(text, font);
        box.rect.setWidth(std::max(width, extent.width()));
        box.rect.setHeight(std::max(height, extent.height()));
    }
    box.alignment = alignmentOf(m_alignment);
    box.wrap = wrap;
    box.clip = clip;
    box.angle = m_textAngle;
    m_canvas.text(text, box, font);
    if (fit)
        m_currentY = box.rect.top() + box.rect.height();
}

} // namespace host
