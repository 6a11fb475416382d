#pragma once

#include "RegistryFile.h"

#include "com/ClassRegistry.h"

namespace host {

// Where self-registration records the libraries of classes: the "HKEY_CLASSES_ROOT" hive of the
// registry file, with a key per ProgID (values "CLSID" and "InprocServer32", the library path)
// and a key "CLSID\{class id}" per class identifier (values "ProgID" and "InprocServer32").
// Names compare without regard to case. The file is looked up anew on every call, so the
// store follows NELVAR_REGISTRY.
class RegistryClassStore : public com::ClassStore {
public:
    // Raises 5 when both names are empty.
    void recordClass(const QString& progId, const QString& classId, const QString& libraryPath) override;
    void removeClass(const QString& progId, const QString& classId) override;
    // Registry file errors are raised as FileRegistry raises them.
    std::optional<QString> libraryOf(const QString& progIdOrClassId) const override;
};

} // namespace host
