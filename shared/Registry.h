#pragma once

#include "com/Object.h"
#include "com/Value.h"

#include <QString>

#include <cstdint>

namespace Nelvar {

inline constexpr int32_t kHiveLocalMachine = static_cast<int32_t>(0x80000002);

// ProgID of the host's registry object; a new one is created for every use.
inline constexpr const char* kRegistryProgId = "Nelvar.Registry";

// The registry's own error numbers: no key open (or no valid key to open), the registry cannot
// be read or written, and a value the open key does not hold.
inline constexpr int32_t kRegistryErrKeyNotOpen = static_cast<int32_t>(0x8004A68B);
inline constexpr int32_t kRegistryErrFile = static_cast<int32_t>(0x8004A68D);
inline constexpr int32_t kRegistryErrValueNotFound = static_cast<int32_t>(0x8004A68E);

// One key of the host's registry. Opening a key that does not exist creates it. Reading a value
// that is missing, or any value before a key is open, raises the registry's own error.
class IRegistry : public virtual com::Object {
public:
    virtual void OpenKey(int32_t hive, const QString& path) = 0;
    virtual void DeleteKey(int32_t hive, const QString& path) = 0;
    virtual QString GetValue(const QString& name) const = 0;
    virtual void SetValue(const QString& name, const com::Value& value) = 0;
    virtual int32_t ValueCount() const = 0;
};

} // namespace Nelvar
