#pragma once

#include "com/Object.h"
#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Nelvar {

class IXmlDocument;
class IXmlElement;

// One measured result value as the host lists, shows and stores it.
class IMeasurement : public virtual com::Object {
public:
    virtual QString Description() const = 0;
    virtual QString Key() const = 0;
    virtual QString LimitKey() const = 0;
    // 0 not evaluated, 1 pass, 2 fail.
    virtual int32_t Status() const = 0;
    virtual QString Unit() const = 0;
    virtual com::Value Value() const = 0;
    virtual com::Value PresetValue() const = 0;
    virtual int32_t ValueType() const = 0;
    virtual QString ValueFormat() const = 0;
    virtual QString Flags() const = 0;
    virtual QString ToolTipText() const = 0;
    virtual void Load(const std::shared_ptr<IXmlElement>& element, const com::Value& owner) = 0;
    virtual std::shared_ptr<IXmlElement> Save(const std::shared_ptr<IXmlDocument>& document) = 0;
};

} // namespace Nelvar
