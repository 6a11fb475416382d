#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace Nelvar {
class IReport;
class IReportPage;
} // namespace Nelvar

namespace ZeltorTests {

class CPrinterCoordinates;
class CTrendParameter;
struct PageRect;

// Prints the graph of one trend parameter as a framed block on the report: title, information
// line, legend, time axis, value axis with the unit, and the maximum (solid) and minimum (dotted)
// curves over the trend, in the parameter's display unit. Blocks stack down the page. One
// printer serves every parameter of every trend of a report.
class CTrendPrinter {
public:
    // Prints the block and moves the report's print position below it. A report that is no
    // page prints nothing. Failures end the part of the block they occur in; nothing is raised.
    void PrintTrend(const CTrendParameter& parameter, const QString& title, int32_t startTime, int32_t interval,
                    Nelvar::IReport& report);

private:
    struct Block;

    static PageRect PrintHeader(const Block& block);
    static void PrintLegend(const Block& block, const PageRect& frame);
    static void PrintCurve(const Block& block, const CPrinterCoordinates& coordinates, const PageRect& area,
                           const std::vector<float>& values);
};

} // namespace ZeltorTests
