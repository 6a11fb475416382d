#pragma once

#include "RegistryData.h"

#include <QString>

namespace host {

// The file that holds the registry, in JSON:
//   { "HKEY_LOCAL_MACHINE": { "Software\\Corvane\\Nelvar\\Zeltor": {
//         "Configuration": { "type": "sz", "data": "/opt/zeltor/ZeltorPlugin.mpc" },
//         "TimerInterval": { "type": "dword", "data": 5 } } } }
// Hives by name, each key by its full path (parents have entries of their own), values with
// their type. A file that does not exist is an empty registry.
class RegistryFile {
public:
    // $NELVAR_REGISTRY, or "nelvar/registry.json" in the user's configuration folder.
    static QString configuredPath();

    explicit RegistryFile(QString path = configuredPath());

    const QString& path() const { return m_path; }

    // Raises errors::kRegistryFileError, naming the file and the fault, for a file that cannot
    // be read or is not a valid registry file.
    RegistryData read() const;
    // Replaces the file atomically (creating its folder); raises errors::kRegistryFileError when
    // it cannot be written.
    void write(const RegistryData& data) const;

private:
    QString m_path;
};

} // namespace host
