#pragma once

#include "com/Object.h"

#include <QString>

#include <cstdint>

namespace Nelvar {

// Converts one quantity between its internal unit and a display unit. The host's numeric limits
// convert limit values with the converter of their parameter.
class IConverter : public virtual com::Object {
public:
    virtual int32_t SelectedConversion() const = 0;
    virtual QString Unit() const = 0;
    virtual void Initialize(int32_t iSelectedConversion, const QString& sUnitString) = 0;
    virtual float ConvertToInternalUnit(float rValue) const = 0;
    virtual float ConvertFromInternalUnit(float rValue) const = 0;
};

} // namespace Nelvar
