#include "data/ReportHeading.h"

#include "data/ReportGraphBlock.h"

#include "Report.h"

namespace ZeltorTests {

void printReportHeading(Nelvar::IReport& report, const QString& text)
{
    auto* page = dynamic_cast<Nelvar::IReportPage*>(&report);
    if (!page)
        return;
    report.setTextAlignment(Nelvar::IReport::etaLeft);
    chooseReportFont(report, {QStringLiteral("Arial"), 10.0f, true, false});
    page->PrintText(text, page->CurrentX(), page->CurrentY(), 100, 100, true, false, true);
}

} // namespace ZeltorTests
