#include "FileRegistry.h"

#include "HostErrors.h"

#include "format/Format.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.Registry");

RegistryValue storedValue(const com::Value& value)
{
    switch (value.type()) {
    case com::Value::Type::Integer:
    case com::Value::Type::Long:
        return RegistryValue::dword(value.toInt32());
    default:
        return RegistryValue::sz(format::valueToText(value));
    }
}

} // namespace

FileRegistry::FileRegistry(RegistryFile file)
    : m_file(std::move(file))
{
}

void FileRegistry::OpenKey(int32_t hive, const QString& path)
{
    m_openKey.reset();
    const RegistryKeyPath key = RegistryKeyPath::of(hive, path, kSource);
    RegistryData data = m_file.read();
    if (!data.findKey(key)) {
        data.ensureKey(key);
        m_file.write(data);
    }
    m_openKey = key;
}

void FileRegistry::DeleteKey(int32_t hive, const QString& path)
{
    const RegistryKeyPath key = RegistryKeyPath::of(hive, path, kSource);
    RegistryData data = m_file.read();
    if (data.deleteKey(key))
        m_file.write(data);
}

QString FileRegistry::GetValue(const QString& name) const
{
    const RegistryKeyPath& key = openKey();
    const RegistryData data = m_file.read();
    const RegistryKey* stored = data.findKey(key);
    const RegistryValue* value = stored ? stored->value(name) : nullptr;
    if (!value)
        errors::raise(errors::kRegistryValueNotFound, kSource,
                      QStringLiteral("\"%1\" in %2\\%3").arg(name, key.hive, key.path));
    return value->toText();
}

void FileRegistry::SetValue(const QString& name, const com::Value& value)
{
    const RegistryKeyPath& key = openKey();
    RegistryValue stored = storedValue(value);
    RegistryData data = m_file.read();
    data.ensureKey(key).setValue(name, std::move(stored));
    m_file.write(data);
}

int32_t FileRegistry::ValueCount() const
{
    const RegistryKeyPath& key = openKey();
    const RegistryData data = m_file.read();
    const RegistryKey* stored = data.findKey(key);
    return stored ? stored->valueCount() : 0;
}

const RegistryKeyPath& FileRegistry::openKey() const
{
    if (!m_openKey)
        errors::raise(errors::kRegistryKeyNotOpen, kSource);
    return *m_openKey;
}

} // namespace host
