#pragma once

#include "com/KeyedCollection.h"

#include <memory>

namespace Nelvar {
class IReport;
} // namespace Nelvar

namespace ZeltorTests {

class CMeasurement;

// Prints the result table of a record's measurements on the report: one row per measurement
// (maximum, minimum, average and unit; only failed ones when the report asks for failures only)
// under the headings "Result:", "Maximum value:", "Minimum value:", "Average value:" and "Unit",
// the value columns sharing the print width. Nothing is printed when no measurement gives a row.
// Failures reach the caller.
void printResultTable(Nelvar::IReport& report, const com::KeyedCollection<std::shared_ptr<CMeasurement>>& measurements);

} // namespace ZeltorTests
