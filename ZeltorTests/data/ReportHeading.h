#pragma once

#include <QString>

namespace Nelvar {
class IReport;
} // namespace Nelvar

namespace ZeltorTests {

// A section heading of the result report ("Trend waveforms", "Snapshots") at the page's print
// position, left-aligned in Arial 10 bold whatever the report printed before; the report moves
// its print position below it. A report that is no page prints nothing.
void printReportHeading(Nelvar::IReport& report, const QString& text);

} // namespace ZeltorTests
