#pragma once

#include "RegistryFile.h"
#include "RegistryKeyPath.h"

#include "Registry.h"

#include <optional>

namespace host {

// One open key of the registry file. Every call reads the file anew and every change rewrites
// it, so several objects may work on the same keys. Errors (see HostErrors.h):
// - kRegistryKeyNotOpen: GetValue, SetValue or ValueCount before a key is open (a failed
//   OpenKey leaves none open), or OpenKey/DeleteKey with an unknown hive or an empty path;
// - kRegistryFileError: the file cannot be read or written, or is not a valid registry file;
//   such a file is never written over;
// - kRegistryValueNotFound: GetValue of a value the open key does not hold.
// A key deleted while open is empty: it has no values, and SetValue creates it again.
class FileRegistry : public Nelvar::IRegistry {
public:
    explicit FileRegistry(RegistryFile file = RegistryFile());

    // Opens the key, creating it and its missing parents.
    void OpenKey(int32_t hive, const QString& path) override;
    // Removes the key with its values and subkeys; a key that does not exist is no error.
    void DeleteKey(int32_t hive, const QString& path) override;
    // The value as text: a dword in decimal, a text unchanged.
    QString GetValue(const QString& name) const override;
    // Long and Integer values are stored as dword, every other value as the text that
    // format::valueToText gives it (Booleans as "True"/"False"); objects and arrays raise 13.
    void SetValue(const QString& name, const com::Value& value) override;
    int32_t ValueCount() const override;

private:
    const RegistryKeyPath& openKey() const;

    RegistryFile m_file;
    std::optional<RegistryKeyPath> m_openKey;
};

} // namespace host
