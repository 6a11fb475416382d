#pragma once

#include "com/Object.h"

#include <QString>

#include <cstdint>

namespace ZeltorConverter {

// ProgID of the unit conversion's global object of unit texts.
inline const QString kGConvertersProgId = QStringLiteral("ZeltorConverter.GConverters");

// The unit texts of the unit identifiers (EUnit), as the unit conversion offers them to whoever
// shows a unit by its identifier.
class IUnitTexts : public virtual com::Object {
public:
    // The unit text ("cmH2O", "l/min"); empty for a value that is no unit.
    virtual QString ParseUnitIDToString(int32_t eun) const = 0;
};

} // namespace ZeltorConverter
