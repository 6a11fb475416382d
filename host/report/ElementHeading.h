#pragma once

#include <QString>

namespace Nelvar {
class IReport;
class IResultData;
} // namespace Nelvar

namespace host {

class TestInfo;

// The heading text of a test element: the name the host lists it by, else its type name
// translated for the plug-in.
QString elementHeadingText(Nelvar::IReport& report, const QString& plugInID, const TestInfo& info);

// The heading the host prints above each test element of a report: the text in Arial 12 bold,
// left-aligned across the page at the print position, which then moves 140 twips below it; then,
// for an element that holds a result, how its run ended, when and on which instrument
// (RunSummary.h). A report that is no page prints nothing.
void printElementHeading(Nelvar::IReport& report, const QString& text, const Nelvar::IResultData* result);

} // namespace host
