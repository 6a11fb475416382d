#pragma once

#include "UnitTexts.h"

namespace ZeltorConverter {

// The global object GConverters as a class created by name: its unit texts for those outside the
// library that know units only by their identifiers.
class GConvertersObject final : public IUnitTexts {
public:
    QString ParseUnitIDToString(int32_t eun) const override;
};

} // namespace ZeltorConverter
