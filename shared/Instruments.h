#pragma once

#include "com/Object.h"

#include <QString>

#include <cstdint>

namespace Nelvar {

// Class identifier of the host's instrument record.
inline constexpr const char* kInstrumentInfoClassId = "{17EF47B1-647E-11D4-BF79-0050DA3393D8}";

// One instrument's identity, as the host lists it.
class IInstrumentInfo : public virtual com::Object {
public:
    virtual void SetType(const QString& typeName, int32_t id) = 0;
    virtual void SetIdentity(const QString& model, const QString& serialNo, const QString& fwVersion) = 0;
    virtual QString TypeName() const = 0;
    virtual int32_t ID() const = 0;
    virtual QString SerialNo() const = 0;
    virtual QString FWVersion() const = 0;
};

} // namespace Nelvar
