#include "data/CSnapshotPrinter.h"

#include "data/CPrinterCoordinates.h"
#include "data/CZeltorMeasurementTable.h"
#include "data/ReportGraphBlock.h"

#include "GMiscConverters.h"
#include "Product.h"
#include "Report.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "format/Format.h"

#include <algorithm>
#include <vector>

namespace ZeltorTests {

namespace {

// One tick a second at 50 samples per second.
constexpr int32_t kSamplesPerSecond = 50;

QString timeText(int32_t seconds) { return ZeltorConverter::GMiscConverters::SecondsToTimeString(seconds); }

// The channel's samples inside the X range, from sample 0 at the earliest to the last sample at
// the latest, joined as one curve.
void printCurve(Nelvar::IReport& report, const CPrinterCoordinates& coordinates, const PageRect& area,
                const std::vector<float>& values)
{
    ClippedCurve curve(area,
                       [&report](int32_t x1, int32_t y1, int32_t x2, int32_t y2) { report.DrawLine(x1, y1, x2, y2); });
    const int64_t first = std::max(format::toInt32(coordinates.XMin()), 0);
    const int64_t last = std::min<int64_t>(format::toInt32(coordinates.XMax()), static_cast<int64_t>(values.size()) - 1);
    for (int64_t i = first; i <= last; ++i)
        curve.add(coordinates.ToPageX(static_cast<float>(i)), coordinates.ToPageY(values[static_cast<size_t>(i)]));
}

} // namespace

void CSnapshotPrinter::PrintSnapshot(const CZeltorMeasurementTable& table, const QString& title, int32_t startTime,
                                     int32_t length, Nelvar::IReport& report)
{
    com::ignoreFailure([&] {
        const std::vector<float> values = table.Values(true);
        const auto settings = table.Settings();
        const ZeltorGraph::IGraphSettings& graph = com::required(settings);
        auto* page = dynamic_cast<Nelvar::IReportPage*>(&report);
        if (!page)
            return;

        const QString heading = report.GetText(Zeltor::kProduct, table.Caption(false)) + QStringLiteral("\r\n[")
                                + report.GetText(Zeltor::kProduct, QStringLiteral("20555::Snapshot"))
                                + QStringLiteral(": ") + title + QLatin1Char(']');
        const QString informationLine =
            report.GetText(Zeltor::kProduct, QStringLiteral("20372::Start time")) + QStringLiteral(": ")
            + timeText(startTime) + QStringLiteral("    ")
            + report.GetText(Zeltor::kProduct, QStringLiteral("20554::Length")) + QStringLiteral(": ")
            + timeText(length);
        ReportGraphBlock block(report, *page);
        const PageRect area = ReportGraphBlock::graphArea(block.printFrame(heading, informationLine));

        CPrinterCoordinates coordinates;
        coordinates.SetArea(area.left, area.top, area.right, area.bottom);
        if (graph.Ymin() != graph.Ymax())
            coordinates.SetRange(graph.Xmin(), graph.Ymin(), graph.Xmax(), graph.Ymax());
        else
            coordinates.FitY(values, 1);
        coordinates.ComputeScale(kSamplesPerSecond);

        com::ignoreFailure([&] { block.printTimeAxis(coordinates, area, startTime, 0); });
        com::ignoreFailure([&] { block.printValueAxis(coordinates, area, table.Unit(), 0); });
        page->setDrawStyle(Nelvar::IReportPage::edsSolid);
        com::ignoreFailure([&] { printCurve(report, coordinates, area, values); });
        block.finish(area);
    });
}

} // namespace ZeltorTests
