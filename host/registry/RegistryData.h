#pragma once

#include "RegistryKeyPath.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace host {

// A value of the registry: a 32-bit integer ("dword") or a text ("sz").
struct RegistryValue {
    enum class Type { Dword, Text };

    Type type = Type::Text;
    int32_t number = 0;
    QString text;

    static RegistryValue dword(int32_t number) { return {Type::Dword, number, {}}; }
    static RegistryValue sz(QString text) { return {Type::Text, 0, std::move(text)}; }

    // The value as a reader gets it: a dword in decimal, a text unchanged.
    QString toText() const;
};

struct NamedRegistryValue {
    QString name;
    RegistryValue value;
};

// One key with its values. Value names compare without regard to case and keep the case they
// were first written with.
class RegistryKey {
public:
    explicit RegistryKey(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }
    const RegistryValue* value(const QString& name) const;
    void setValue(const QString& name, RegistryValue value);
    int32_t valueCount() const { return static_cast<int32_t>(m_values.size()); }
    const std::vector<NamedRegistryValue>& values() const { return m_values; }

private:
    QString m_path;
    std::vector<NamedRegistryValue> m_values;
};

struct RegistryHive {
    QString name;
    std::vector<RegistryKey> keys; // every key by its full path, parents included
};

// The whole registry as read from its file.
class RegistryData {
public:
    const RegistryKey* findKey(const RegistryKeyPath& key) const;
    // The key, created together with its missing parents.
    RegistryKey& ensureKey(const RegistryKeyPath& key);
    // Removes the key with its values and subkeys; false when there was no such key.
    bool deleteKey(const RegistryKeyPath& key);

    // Adds a key as stored, for the file's reader.
    void addKey(const QString& hive, RegistryKey key);
    const std::vector<RegistryHive>& hives() const { return m_hives; }

private:
    RegistryHive& ensureHive(const QString& name);

    std::vector<RegistryHive> m_hives;
};

} // namespace host
