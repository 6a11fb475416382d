#pragma once

#include <QString>

namespace Nelvar {
class IReport;
class IResultData;
} // namespace Nelvar

namespace host {

// How the test ended, as the report heads it: "Passed" (status 1); "Failed" (status 2 with a
// measurement that failed its limits); "Not applicable" (status 3); otherwise "Not passed", with
// ": " and the result's comment when it has one (a run cut off before its end fails with no
// failed measurement, and its comment holds why).
QString verdictText(const Nelvar::IResultData& result);

// The lines below a test's heading, left-aligned across the page from the print position, which
// then moves below them: the verdict in Arial 10 bold; then in Arial 9 the comment (unless the
// verdict shows it), "Date and time: " with the run's date and time as "yyyy-MM-dd hh:mm:ss",
// and "Instrument: " with the serial number and the firmware version, each when the result's
// service record holds it ("not recorded" otherwise). Long lines wrap at words; a line that does
// not fit above the page's bottom edge starts a new page. A report that is no page prints
// nothing.
void printRunSummary(Nelvar::IReport& report, const Nelvar::IResultData& result);

} // namespace host
