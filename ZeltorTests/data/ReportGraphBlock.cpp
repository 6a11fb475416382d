#include "data/ReportGraphBlock.h"

#include "data/CPrinterCoordinates.h"

#include "GMiscConverters.h"
#include "Report.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"
#include "format/Format.h"

#include <limits>

namespace ZeltorTests {

namespace {

const QString kArial = QStringLiteral("Arial");
constexpr int32_t kShadowGrey = 0xC0C0C0; // RGB(192, 192, 192)
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kTickHalfLength = 60;
constexpr int32_t kLabelHeight = 200;

// The digits after the decimal point of step / multiplier, the multiplier being a power of ten.
int decimalsOf(int32_t step, int32_t multiplier)
{
    int decimals = 0;
    for (int32_t m = multiplier; m >= 10; m /= 10)
        ++decimals;
    for (int32_t s = step; s != 0 && s % 10 == 0 && decimals > 0; s /= 10)
        --decimals;
    return decimals;
}

int32_t checkedSeconds(int64_t seconds)
{
    if (seconds < std::numeric_limits<int32_t>::min() || seconds > std::numeric_limits<int32_t>::max())
        throw com::Error::overflow();
    return static_cast<int32_t>(seconds);
}

} // namespace

void chooseReportFont(Nelvar::IReport& report, const ReportFontChoice& choice)
{
    const auto font = report.Font();
    Nelvar::IReportFont& target = com::required(font);
    if (!choice.name.isEmpty())
        target.setName(choice.name);
    if (choice.size)
        target.setSize(*choice.size);
    if (choice.bold)
        target.setBold(*choice.bold);
    if (choice.italic)
        target.setItalic(*choice.italic);
}

ReportGraphBlock::ReportGraphBlock(Nelvar::IReport& report, Nelvar::IReportPage& page)
    : m_report(report)
    , m_page(page)
{
}

PageRect ReportGraphBlock::printFrame(const QString& title, const QString& informationLine)
{
    int32_t pageBottom = 0;
    m_report.PageBottom(Nelvar::IReport::kCurrentPage, pageBottom);
    if (static_cast<int64_t>(m_report.CurrentY()) + kBlockHeight > pageBottom)
        m_report.NewPage();
    int32_t pageLeft = 0;
    int32_t pageRight = 0;
    m_report.PageLeft(Nelvar::IReport::kCurrentPage, pageLeft);
    m_report.PageRight(Nelvar::IReport::kCurrentPage, pageRight);
    PageRect frame;
    frame.left = pageLeft + 560;
    frame.right = pageRight - 1120;
    frame.top = m_report.CurrentY() + 280;
    frame.bottom = frame.top + 3360;

    m_page.setFillStyle(Nelvar::IReportPage::efsSolid);
    m_page.setFillColor(kShadowGrey);
    m_page.Rectangle(frame.left + 70, frame.top + 70, frame.right + 70, frame.bottom + 70, 0, 0);
    m_page.setFillColor(kWhite);
    m_page.Rectangle(frame.left, frame.top, frame.right, frame.bottom, 0, 0);

    chooseReportFont(m_report, {kArial, 6.0f, false, true});
    m_report.setTextAlignment(Nelvar::IReport::etaCenter);
    m_page.PrintText(informationLine, frame.left, frame.bottom - 280, frame.right - frame.left, 1120, true, false,
                     false);
    m_page.Line(pageRight, frame.top - 560, pageRight, frame.bottom + 210);

    chooseReportFont(m_report, {kArial, 8.0f, true, false});
    m_report.setTextAlignment(Nelvar::IReport::etaCenter);
    frame.left += 140;
    // Two lines of 8 points fit the title box.
    m_page.PrintText(title, frame.left, frame.top + 140, frame.right - frame.left, 420, true, false, false);
    m_page.setCurrentY(frame.bottom + 140);
    return frame;
}

PageRect ReportGraphBlock::graphArea(const PageRect& frame)
{
    return {frame.left + 840, frame.top + 560, frame.right - 560, frame.bottom - 700};
}

void ReportGraphBlock::printTimeAxis(const CPrinterCoordinates& coordinates, const PageRect& area, int32_t startTime,
                                     int32_t labelGap)
{
    chooseReportFont(m_report, {kArial, 7.0f, false, {}});
    m_report.setTextAlignment(Nelvar::IReport::etaCenter);
    int32_t labelWidth = 0;
    m_report.TextWidth(QStringLiteral("00:00:00"), labelWidth);
    const AxisRecord axis = coordinates.XAxis();
    m_page.Line(axis.x1, axis.y2, axis.x2, axis.y2);
    if (axis.unit <= 0)
        return; // the axis was never divided
    const int64_t step = axis.step > 0 ? axis.step : 1;
    int64_t lastLabelX = 0;
    for (int64_t t = axis.firstTick; t <= axis.lastTick; t += step) {
        const int32_t x = coordinates.ToPageX(static_cast<float>(t));
        if (x > lastLabelX + labelWidth + labelGap) {
            const QString label =
                ZeltorConverter::GMiscConverters::SecondsToTimeString(checkedSeconds(t / axis.unit + startTime));
            m_page.PrintText(label, x - labelWidth, area.bottom + 150, 2 * labelWidth, kLabelHeight, true, false,
                             false);
            lastLabelX = x;
        }
        m_page.Line(x, area.bottom - kTickHalfLength, x, area.bottom + kTickHalfLength);
    }
}

void ReportGraphBlock::printValueAxis(const CPrinterCoordinates& coordinates, const PageRect& area,
                                      const QString& unit, int32_t unitBoxWidening)
{
    const AxisRecord axis = coordinates.YAxis();
    m_page.Line(axis.x1, axis.y1, axis.x2, axis.y2);
    com::ignoreFailure([&] { printUnitLabel(axis, unit, unitBoxWidening); });

    chooseReportFont(m_report, {kArial, 7.0f, false, {}});
    m_report.setTextAlignment(Nelvar::IReport::etaRight);
    int32_t textHeight = 0;
    m_report.TextHeight(QStringLiteral("0"), textHeight);
    if (axis.step <= 0 || axis.unit <= 0)
        return; // the axis was never divided
    QString pattern = QStringLiteral("# ##0");
    if (axis.unit > axis.step) {
        const int decimals = decimalsOf(axis.step, axis.unit);
        if (decimals > 0)
            pattern += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    }
    const int32_t halfHeight = format::toInt32(textHeight / 2.0);
    for (int64_t t = axis.firstTick; t <= axis.lastTick; t += axis.step) {
        const double value = static_cast<double>(t) / axis.unit;
        const int32_t y = coordinates.ToPageY(static_cast<float>(value));
        m_page.Line(area.left - kTickHalfLength, y, area.left + kTickHalfLength, y);
        m_page.PrintText(format::formatNumber(value, pattern), area.left - 750, y - halfHeight, 550, kLabelHeight,
                         true, false, false);
    }
}

void ReportGraphBlock::printUnitLabel(const AxisRecord& axis, const QString& unit, int32_t widening)
{
    chooseReportFont(m_report, {kArial, 7.0f, true, {}});
    m_report.setTextAlignment(Nelvar::IReport::etaCenter);
    int32_t width = 0;
    m_report.TextWidth(unit, width);
    const int32_t savedAngle = m_page.TextAngle();
    m_page.setTextAngle(900);
    // The angle goes back even when the text fails, so the rest of the report is not turned.
    try {
        m_page.PrintText(unit, axis.x1 - 900, axis.y1 + ((axis.y2 - axis.y1) + width + widening) / 2,
                         width + widening, kLabelHeight, true, false, false);
    } catch (...) {
        m_page.setTextAngle(savedAngle);
        throw;
    }
    m_page.setTextAngle(savedAngle);
}

void ReportGraphBlock::finish(const PageRect& area)
{
    m_page.setDrawStyle(Nelvar::IReportPage::edsSolid);
    m_report.setCurrentY(area.bottom + 700);
}

ClippedCurve::ClippedCurve(const PageRect& area, LineDrawer drawLine)
    : m_top(area.top)
    , m_bottom(area.bottom)
    , m_drawLine(std::move(drawLine))
{
}

void ClippedCurve::add(int32_t x, int32_t y)
{
    bool joined = true;
    if (y < m_top) {
        y = m_top;
        joined = m_previousY != m_top;
    } else if (y > m_bottom) {
        y = m_bottom;
        joined = m_previousY != m_bottom;
    }
    // Page positions are never 0 inside a graph area: 0 marks "no point yet".
    if (joined && m_previousX != 0 && m_previousY != 0)
        m_drawLine(m_previousX, m_previousY, x, y);
    m_previousX = x;
    m_previousY = y;
}

} // namespace ZeltorTests
