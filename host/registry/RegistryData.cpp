#include "RegistryData.h"

#include "format/Format.h"

#include <algorithm>

namespace host {

namespace {

auto sameNameAs(const QString& name)
{
    return [&name](const QString& other) { return sameRegistryName(other, name); };
}

} // namespace

QString RegistryValue::toText() const
{
    return type == Type::Dword ? format::valueToText(com::Value(number)) : text;
}

const RegistryValue* RegistryKey::value(const QString& name) const
{
    const auto it = std::ranges::find_if(m_values, sameNameAs(name), &NamedRegistryValue::name);
    return it == m_values.end() ? nullptr : &it->value;
}

void RegistryKey::setValue(const QString& name, RegistryValue value)
{
    const auto it = std::ranges::find_if(m_values, sameNameAs(name), &NamedRegistryValue::name);
    if (it == m_values.end())
        m_values.push_back({name, std::move(value)});
    else
        it->value = std::move(value);
}

const RegistryKey* RegistryData::findKey(const RegistryKeyPath& key) const
{
    const auto hive = std::ranges::find_if(m_hives, sameNameAs(key.hive), &RegistryHive::name);
    if (hive == m_hives.end())
        return nullptr;
    const auto found = std::ranges::find_if(hive->keys, sameNameAs(key.path), &RegistryKey::path);
    return found == hive->keys.end() ? nullptr : &*found;
}

RegistryKey& RegistryData::ensureKey(const RegistryKeyPath& key)
{
    RegistryHive& hive = ensureHive(key.hive);
    RegistryKey* result = nullptr;
    for (const QString& path : key.pathAndParents()) {
        const auto found = std::ranges::find_if(hive.keys, sameNameAs(path), &RegistryKey::path);
        result = found != hive.keys.end() ? &*found : &hive.keys.emplace_back(path);
    }
    return *result;
}

bool RegistryData::deleteKey(const RegistryKeyPath& key)
{
    const auto hive = std::ranges::find_if(m_hives, sameNameAs(key.hive), &RegistryHive::name);
    if (hive == m_hives.end())
        return false;
    return std::erase_if(hive->keys, [&](const RegistryKey& entry) {
               return isRegistryPathWithin(entry.path(), key.path);
           }) > 0;
}

void RegistryData::addKey(const QString& hive, RegistryKey key)
{
    ensureHive(hive).keys.push_back(std::move(key));
}

RegistryHive& RegistryData::ensureHive(const QString& name)
{
    const auto hive = std::ranges::find_if(m_hives, sameNameAs(name), &RegistryHive::name);
    return hive != m_hives.end() ? *hive : m_hives.emplace_back(RegistryHive{name, {}});
}

} // namespace host
