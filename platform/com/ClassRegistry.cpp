#include "ClassRegistry.h"

#include "Error.h"

#include <QFileInfo>
#include <QLibrary>

#include <algorithm>

namespace com {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

using RegisterClassesEntry = void (*)(ClassRegistry&);

} // namespace

ClassRegistry& ClassRegistry::instance()
{
    static ClassRegistry registry;
    return registry;
}

void ClassRegistry::add(ClassEntry entry)
{
    remove(entry.progId);
    remove(entry.classId);
    m_entries.push_back(std::move(entry));
}

void ClassRegistry::remove(const QString& progIdOrClassId)
{
    std::erase_if(m_entries, [&](const ClassEntry& entry) {
        return sameName(entry.progId, progIdOrClassId) || sameName(entry.classId, progIdOrClassId);
    });
}

bool ClassRegistry::contains(const QString& progIdOrClassId) const
{
    return find(progIdOrClassId) != nullptr;
}

const ClassEntry* ClassRegistry::find(const QString& progIdOrClassId) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const ClassEntry& entry) {
        return sameName(entry.progId, progIdOrClassId) || sameName(entry.classId, progIdOrClassId);
    });
    return it == m_entries.end() ? nullptr : &*it;
}

std::shared_ptr<Object> ClassRegistry::create(const QString& progIdOrClassId)
{
    if (!find(progIdOrClassId) && m_store) {
        if (const auto library = m_store->libraryOf(progIdOrClassId))
            loadLibrary(*library, *this);
    }
    const ClassEntry* entry = find(progIdOrClassId);
    if (!entry || !entry->factory)
        throw Error::cannotCreateObject(progIdOrClassId);
    const ClassFactory factory = entry->factory; // the factory may change the registry
    std::shared_ptr<Object> object = factory();
    if (!object)
        throw Error::cannotCreateObject(progIdOrClassId);
    return object;
}

void ClassRegistry::loadLibrary(const QString& libraryPath, ClassRegistry& into)
{
    // A library is named by its file: were it missing, the loader would try other names and
    // folders and report the last of them, never the file named.
    if (!QFileInfo(libraryPath).isFile())
        throw Error(errFileNotFound, libraryPath, QStringLiteral("there is no file %1").arg(libraryPath));
    QLibrary library(libraryPath);
    // Component libraries stay loaded for the life of the process, as their objects may be alive.
    library.setLoadHints(QLibrary::PreventUnloadHint);
    if (!library.load())
        throw Error(errFileNotFound, libraryPath, library.errorString());
    const auto entry = reinterpret_cast<RegisterClassesEntry>(library.resolve(kRegisterClassesEntry));
    if (!entry)
        throw Error(errFileNotFound, libraryPath,
                    QStringLiteral("%1 is no component library: it does not offer %2")
                        .arg(libraryPath, QLatin1String(kRegisterClassesEntry)));
    entry(into);
}

void ClassRegistry::registerServer(const QString& libraryPath)
{
    if (!m_store)
        throw Error::objectNotSet(QStringLiteral("ClassRegistry"));
    ClassRegistry offered;
    loadLibrary(libraryPath, offered);
    for (const ClassEntry& entry : offered.entries())
        m_store->recordClass(entry.progId, entry.classId, libraryPath);
}

void ClassRegistry::unregisterServer(const QString& libraryPath)
{
    if (!m_store)
        throw Error::objectNotSet(QStringLiteral("ClassRegistry"));
    ClassRegistry offered;
    loadLibrary(libraryPath, offered);
    for (const ClassEntry& entry : offered.entries())
        m_store->removeClass(entry.progId, entry.classId);
}

void raiseTypeMismatch()
{
    throw Error::typeMismatch();
}

} // namespace com
