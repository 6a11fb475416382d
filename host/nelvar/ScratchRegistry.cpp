#include "ScratchRegistry.h"

#include "HostErrors.h"
#include "registry/FileRegistry.h"

#include "Registry.h"

#include "com/Error.h"

#include <algorithm>

namespace {

const QString kRegistryClass = QString::fromLatin1(Nelvar::kRegistryProgId);

com::ClassEntry registryEntry()
{
    const auto& entries = com::ClassRegistry::instance().entries();
    const auto entry = std::find_if(entries.begin(), entries.end(), [](const com::ClassEntry& candidate) {
        return candidate.progId.compare(kRegistryClass, Qt::CaseInsensitive) == 0;
    });
    if (entry == entries.end())
        host::errors::raise(com::errCannotCreateObject, QStringLiteral("nelvar"),
                            QStringLiteral("the host has no registry class"));
    return *entry;
}

} // namespace

ScratchRegistry::ScratchRegistry()
    : m_file(m_folder.filePath(QStringLiteral("registry.json"))), m_hostRegistry(registryEntry())
{
    if (!m_folder.isValid())
        host::errors::raise(host::errors::kRegistryFileError, QStringLiteral("nelvar"),
                            QStringLiteral("no temporary folder for a registry of its own"));
    com::ClassRegistry::instance().add(
        {m_hostRegistry.progId, m_hostRegistry.classId,
         [file = m_file] { return std::make_shared<host::FileRegistry>(file); }});
}

ScratchRegistry::~ScratchRegistry()
{
    com::ClassRegistry::instance().add(m_hostRegistry);
}
