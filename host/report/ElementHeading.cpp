#include "report/ElementHeading.h"

#include "report/RunSummary.h"
#include "testmodel/TestInfo.h"

#include "Report.h"

namespace host {

namespace {

constexpr float kHeadingSize = 12.0f;
constexpr int32_t kGapBelow = 140;

} // namespace

QString elementHeadingText(Nelvar::IReport& report, const QString& plugInID, const TestInfo& info)
{
    return info.Name().isEmpty() ? report.GetText(plugInID, info.TypeName()) : info.Name();
}

void printElementHeading(Nelvar::IReport& report, const QString& text, const Nelvar::IResultData* result)
{
    auto* page = dynamic_cast<Nelvar::IReportPage*>(&report);
    if (!page)
        return;
    int32_t left = 0;
    int32_t right = 0;
    report.PageLeft(Nelvar::IReport::kCurrentPage, left);
    report.PageRight(Nelvar::IReport::kCurrentPage, right);
    report.setTextAlignment(Nelvar::IReport::etaLeft);
    const auto font = report.Font();
    font->setName(QStringLiteral("Arial"));
    font->setSize(kHeadingSize);
    font->setBold(true);
    font->setItalic(false);
    page->PrintText(text, left, page->CurrentY(), right - left, 0, true, false, true);
    report.setCurrentY(report.CurrentY() + kGapBelow);
    if (result)
        printRunSummary(report, *result);
}

} // namespace host
