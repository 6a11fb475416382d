#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace Nelvar {
class IReport;
class IReportPage;
} // namespace Nelvar

namespace ZeltorTests {

class CPrinterCoordinates;
struct AxisRecord;

// A rectangle on the report page, in twips.
struct PageRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// What the trend and snapshot graph blocks share on a report page: a shadowed frame with its
// title and information line, stacked below the print position (a new page when the block does
// not fit), the time axis along the graph area's bottom, the value axis with its unit along the
// area's left edge, and the end of the block. Positions are whole twips.
class ReportGraphBlock {
public:
    // Room a block takes below the print position: 280 above the frame, the frame, 280 below.
    static constexpr int32_t kBlockHeight = 3920;

    ReportGraphBlock(Nelvar::IReport& report, Nelvar::IReportPage& page);

    // Starts a new page when the block does not fit, draws the frame with its shadow, the
    // information line along the frame's bottom, the margin rule at the page's right edge and the
    // two-line title, and leaves the page's print position 140 below the frame. Returns the frame
    // with its left edge moved to the title's (140 in).
    PageRect printFrame(const QString& title, const QString& informationLine);
    // The graph area inside such a frame: 840 in from the title's left edge, 560 below the top,
    // 560 in from the right, 700 above the bottom.
    static PageRect graphArea(const PageRect& frame);

    // The axis line, a tick at every label step and a centred label of the time since the start
    // of the run under each tick that lies more than the label's width plus `labelGap` right of
    // the label printed before it.
    void printTimeAxis(const CPrinterCoordinates& coordinates, const PageRect& area, int32_t startTime,
                       int32_t labelGap);
    // The axis line, the unit written upwards to its left (in a box `unitBoxWidening` wider than
    // the unit's text) and a right-aligned label at every tick, with the decimals the step needs.
    void printValueAxis(const CPrinterCoordinates& coordinates, const PageRect& area, const QString& unit,
                        int32_t unitBoxWidening);
    // Solid lines again, and the print position at the frame's bottom edge.
    void finish(const PageRect& area);

private:
    // Centred along the axis line, 900 left of it.
    void printUnitLabel(const AxisRecord& axis, const QString& unit, int32_t widening);

    Nelvar::IReport& m_report;
    Nelvar::IReportPage& m_page;
};

// The font the next texts print in; members left empty stay as they are.
struct ReportFontChoice {
    QString name;
    std::optional<float> size;
    std::optional<bool> bold;
    std::optional<bool> italic;
};
void chooseReportFont(Nelvar::IReport& report, const ReportFontChoice& choice);

// Joins the points of a curve with lines, clipped to the area's top and bottom edges: a point
// beyond an edge is moved onto it, and a run of such points is joined by one slope to the edge
// and one slope back, never by a line along the edge. The first point starts the curve.
class ClippedCurve {
public:
    using LineDrawer = std::function<void(int32_t x1, int32_t y1, int32_t x2, int32_t y2)>;

    ClippedCurve(const PageRect& area, LineDrawer drawLine);
    void add(int32_t x, int32_t y);

private:
    int32_t m_top;
    int32_t m_bottom;
    LineDrawer m_drawLine;
    int32_t m_previousX = 0;
    int32_t m_previousY = 0;
};

} // namespace ZeltorTests
