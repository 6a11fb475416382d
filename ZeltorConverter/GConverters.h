#pragma once

#include "EUnit.h"

#include <QString>

// Unit identifiers to texts and lists and back, and the user's default display units. Stateless:
// every member can be called at any time, and none reports an error.
namespace ZeltorConverter::GConverters {

// The default display units, read from the settings key ("FlowUnit", "PressureUnit",
// "TemperatureUnit", "HighPressureUnit"). A value that is missing, not a number, equal to -1 or
// beyond 32 bits gives ml/sec, cmH2O, C and cmH2O respectively; any other number is returned
// rounded to a whole number (so "-0.6" gives -1), whether or not it names a unit of the quantity.
EUnit DefaultFlowUnit();
EUnit DefaultPressureUnit();
EUnit DefaultTemperatureUnit();
EUnit DefaultHighPressureUnit();

// The unit text ("cmH2O", "l/min"); empty for a value that is no unit.
QString ParseUnitIDToString(int32_t eun);
// The unit whose text is exactly `sUnit` (case matters); 0 for any other text.
EUnit ParseUnitStringToID(const QString& sUnit);
// The selectable units of a quantity as one text separated by ";"; empty for another value.
QString GetUnitList(int32_t eulList);

} // namespace ZeltorConverter::GConverters
