#include "data/CTrendPrinter.h"

#include "data/CPrinterCoordinates.h"
#include "data/CTrendParameter.h"
#include "data/ReportGraphBlock.h"

#include "GMiscConverters.h"
#include "Product.h"
#include "Report.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "format/Format.h"

#include <algorithm>

namespace ZeltorTests {

namespace {

constexpr int32_t kValuesMax = 2;
constexpr int32_t kValuesMin = 1;
// A time label needs this much room beyond its own width right of the label before it.
constexpr int32_t kTimeLabelGap = 60;
// The unit's box is this much wider than its text.
constexpr int32_t kUnitBoxWidening = 50;

QString timeText(int32_t seconds) { return ZeltorConverter::GMiscConverters::SecondsToTimeString(seconds); }

} // namespace

// What one block is printed from.
struct CTrendPrinter::Block {
    Nelvar::IReport& report;
    Nelvar::IReportPage& page;
    const CTrendParameter& parameter;
    const QString& title;
    int32_t startTime;
    int32_t interval;
};

void CTrendPrinter::PrintTrend(const CTrendParameter& parameter, const QString& title, int32_t startTime,
                               int32_t interval, Nelvar::IReport& report)
{
    com::ignoreFailure([&] {
        const std::vector<float> maxima = parameter.Values(kValuesMax, true);
        const std::vector<float> minima = parameter.Values(kValuesMin, true);
        const auto settings = parameter.Settings();
        const ZeltorGraph::IGraphSettings& graph = com::required(settings);
        auto* page = dynamic_cast<Nelvar::IReportPage*>(&report);
        if (!page)
            return;
        const Block block{report, *page, parameter, title, startTime, interval};

        const PageRect area = ReportGraphBlock::graphArea(PrintHeader(block));
        CPrinterCoordinates coordinates;
        coordinates.SetArea(area.left, area.top, area.right, area.bottom);
        if (graph.Ymin() != graph.Ymax()) {
            coordinates.SetRange(graph.Xmin(), graph.Ymin(), graph.Xmax(), graph.Ymax());
        } else {
            coordinates.FitY(maxima, interval);
            coordinates.FitY(minima, interval);
        }
        coordinates.ComputeScale(1);

        ReportGraphBlock graphBlock(report, *page);
        page->setDrawStyle(Nelvar::IReportPage::edsSolid);
        com::ignoreFailure([&] { graphBlock.printTimeAxis(coordinates, area, startTime, kTimeLabelGap); });
        com::ignoreFailure(
            [&] { graphBlock.printValueAxis(coordinates, area, parameter.Unit(), kUnitBoxWidening); });
        if (graph.ShowMax()) {
            page->setDrawStyle(Nelvar::IReportPage::edsSolid);
            com::ignoreFailure([&] { PrintCurve(block, coordinates, area, maxima); });
        }
        if (graph.ShowMin()) {
            page->setDrawStyle(Nelvar::IReportPage::edsDot);
            com::ignoreFailure([&] { PrintCurve(block, coordinates, area, minima); });
        }
        graphBlock.finish(area);
    });
}

PageRect CTrendPrinter::PrintHeader(const Block& block)
{
    Nelvar::IReport& report = block.report;
    const QString title = report.GetText(Zeltor::kProduct, block.parameter.Caption(false)) + QStringLiteral("\r\n[")
                          + report.GetText(Zeltor::kProduct, QStringLiteral("20510::Trend")) + QStringLiteral(": ")
                          + block.title + QLatin1Char(']');
    const QString gap = QStringLiteral("    ");
    const QString informationLine =
        report.GetText(Zeltor::kProduct, QStringLiteral("20372::Start time")) + QStringLiteral(": ")
        + timeText(block.startTime) + gap
        + report.GetText(Zeltor::kProduct, QStringLiteral("20145::Sampling interval")) + QStringLiteral(": ")
        + timeText(block.interval) + gap + report.GetText(Zeltor::kProduct, QStringLiteral("20377::Elapsed time"))
        + QStringLiteral(": ")
        + timeText(format::toInt32(static_cast<double>(block.parameter.SampleCount()) * block.interval));
    ReportGraphBlock graphBlock(report, block.page);
    const PageRect frame = graphBlock.printFrame(title, informationLine);
    com::ignoreFailure([&] { PrintLegend(block, frame); });
    return frame;
}

void CTrendPrinter::PrintLegend(const Block& block, const PageRect& frame)
{
    Nelvar::IReport& report = block.report;
    Nelvar::IReportPage& page = block.page;
    chooseReportFont(report, {{}, 6.0f, false, {}});
    const QString maxText = report.GetText(Zeltor::kProduct, QStringLiteral("20506::Maximum values"));
    const QString minText = report.GetText(Zeltor::kProduct, QStringLiteral("20507::Minimum values"));
    int32_t maxWidth = 0;
    int32_t minWidth = 0;
    report.TextWidth(maxText, maxWidth);
    report.TextWidth(minText, minWidth);
    const int32_t x0 = frame.right - 210 - 400 - std::max(maxWidth, minWidth) - 100;
    const int32_t y0 = frame.top + 210 - 100;
    // The dotted sample stands beside the first line of text (minimum), the solid one beside
    // the second (maximum).
    page.setDrawStyle(Nelvar::IReportPage::edsDot);
    page.Line(x0, y0, x0 + 400, y0);
    page.setDrawStyle(Nelvar::IReportPage::edsSolid);
    page.Line(x0, y0 + 140, x0 + 400, y0 + 140);
    report.setTextAlignment(Nelvar::IReport::etaLeft);
    int32_t textHeight = 0;
    report.TextHeight(maxText, textHeight);
    page.PrintText(minText + QStringLiteral("\r\n") + maxText, x0 + 500, y0 - format::toInt32(textHeight / 2.0),
                   frame.right - (x0 + 500), 560, true, false, true);
    report.setTextAlignment(Nelvar::IReport::etaCenter);
}

void CTrendPrinter::PrintCurve(const Block& block, const CPrinterCoordinates& coordinates, const PageRect& area,
                               const std::vector<float>& values)
{
    Nelvar::IReportPage& page = block.page;
    ClippedCurve curve(area, [&page](int32_t x1, int32_t y1, int32_t x2, int32_t y2) { page.Line(x1, y1, x2, y2); });
    const double xMin = coordinates.XMin();
    const double xMax = coordinates.XMax();
    for (size_t i = 0; i < values.size(); ++i) {
        // A sample lies at the end of its interval.
        const double x = (static_cast<double>(i) + 1.0) * block.interval;
        if (x < xMin || x > xMax)
            continue;
        curve.add(coordinates.ToPageX(static_cast<float>(x)), coordinates.ToPageY(values[i]));
    }
}

} // namespace ZeltorTests
