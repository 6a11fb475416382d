#include "RegistryClassStore.h"

#include "RegistryKeyPath.h"

#include "com/Error.h"

#include <vector>

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.ClassStore");
const QString kClassIdValue = QStringLiteral("CLSID");
const QString kProgIdValue = QStringLiteral("ProgID");
const QString kLibraryValue = QStringLiteral("InprocServer32");

// A ProgID or class identifier names one key; a name with a separator or without any text
// cannot be one.
bool isClassName(const QString& name)
{
    return !name.trimmed().isEmpty() && !name.contains(QLatin1Char('\\'));
}

RegistryKeyPath progIdKey(const QString& progId)
{
    return RegistryKeyPath::of(kHiveClassesRoot, progId, kSource);
}

RegistryKeyPath classIdKey(const QString& classId)
{
    return RegistryKeyPath::of(kHiveClassesRoot, kClassIdValue + QLatin1Char('\\') + classId, kSource);
}

std::vector<RegistryKeyPath> keysOf(const QString& progId, const QString& classId)
{
    std::vector<RegistryKeyPath> keys;
    if (isClassName(progId))
        keys.push_back(progIdKey(progId));
    if (isClassName(classId))
        keys.push_back(classIdKey(classId));
    return keys;
}

} // namespace

void RegistryClassStore::recordClass(const QString& progId, const QString& classId, const QString& libraryPath)
{
    if (!isClassName(progId) && !isClassName(classId))
        throw com::Error::invalidCall(kSource);
    const RegistryFile file;
    RegistryData data = file.read();
    if (isClassName(progId)) {
        RegistryKey& key = data.ensureKey(progIdKey(progId));
        if (isClassName(classId))
            key.setValue(kClassIdValue, RegistryValue::sz(classId));
        key.setValue(kLibraryValue, RegistryValue::sz(libraryPath));
    }
    if (isClassName(classId)) {
        RegistryKey& key = data.ensureKey(classIdKey(classId));
        if (isClassName(progId))
            key.setValue(kProgIdValue, RegistryValue::sz(progId));
        key.setValue(kLibraryValue, RegistryValue::sz(libraryPath));
    }
    file.write(data);
}

void RegistryClassStore::removeClass(const QString& progId, const QString& classId)
{
    const RegistryFile file;
    RegistryData data = file.read();
    bool removed = false;
    for (const RegistryKeyPath& key : keysOf(progId, classId))
        removed = data.deleteKey(key) || removed;
    if (removed)
        file.write(data);
}

std::optional<QString> RegistryClassStore::libraryOf(const QString& progIdOrClassId) const
{
    if (!isClassName(progIdOrClassId))
        return std::nullopt;
    const RegistryData data = RegistryFile().read();
    for (const RegistryKeyPath& key : {classIdKey(progIdOrClassId), progIdKey(progIdOrClassId)}) {
        if (const RegistryKey* stored = data.findKey(key))
            if (const RegistryValue* library = stored->value(kLibraryValue))
                return library->toText();
    }
    return std::nullopt;
}

} // namespace host
