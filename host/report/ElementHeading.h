#pragma once

#include <QString>

namespace Nelvar {
class IReport;
} // namespace Nelvar

namespace host {

// The heading the host prints above each test element of a report: the text in Arial 12 bold,
// left-aligned across the page at the print position, which then moves 140 twips below it. A
// report that is no page prints nothing.
void printElementHeading(Nelvar::IReport& report, const QString& text);

} // namespace host
