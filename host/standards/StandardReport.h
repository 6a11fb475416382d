#pragma once

#include "com/Value.h"

namespace Nelvar {
class IReport;
} // namespace Nelvar

namespace host {

class Standard;

// How the host prints one standard of a test's expected results: a table headed by the
// standard's name (with its second key in brackets when it has one) and the column headings,
// with one row per limit in the order of the parameter table: the parameter's caption, the lower
// and the upper bound in the display unit formatted with the parameter's value format ("-" for a
// bound that is not enabled) and the unit. Limits of parameters that the table does not list are
// left out; a standard without such limits prints nothing.
//
// The parameter table is a 2-D text array with one row per parameter: key, caption, value format.
void printStandard(Nelvar::IReport& report, const Standard& standard, const com::Value& parameterTable);

} // namespace host
