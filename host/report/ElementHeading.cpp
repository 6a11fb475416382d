#include "report/ElementHeading.h"

#include "Report.h"

namespace host {

namespace {

constexpr float kHeadingSize = 12.0f;
constexpr int32_t kGapBelow = 140;

} // namespace

void printElementHeading(Nelvar::IReport& report, const QString& text)
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
}

} // namespace host
