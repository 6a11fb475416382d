#pragma once

#include "registry/RegistryData.h"
#include "registry/RegistryFile.h"

#include "com/ClassRegistry.h"

#include <QTemporaryDir>

// An empty registry of its own that every registry object created by name works on while this
// object lives, so that the host can let a plug-in's object store itself and read exactly what it
// stored, without changing the host's registry. Raises errors::kRegistryFileError when it has no
// temporary folder for its file.
class ScratchRegistry {
public:
    ScratchRegistry();
    ~ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

    host::RegistryData read() const { return m_file.read(); }

private:
    QTemporaryDir m_folder;
    host::RegistryFile m_file;
    com::ClassEntry m_hostRegistry;
};
