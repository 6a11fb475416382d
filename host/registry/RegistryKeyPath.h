#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace host {

inline constexpr int32_t kHiveClassesRoot = static_cast<int32_t>(0x80000000);

// A key of the registry: the hive by name ("HKEY_LOCAL_MACHINE") and the backslash-separated
// path below it. Paths compare without regard to case, as the system registry's do.
struct RegistryKeyPath {
    QString hive;
    QString path;

    // Raises errors::kRegistryKeyNotOpen from `source` for an unknown hive number or a path
    // without any name in it. Empty parts ("a\\\\b", a leading or trailing "\\") are dropped.
    static RegistryKeyPath of(int32_t hive, const QString& path, const QString& source);

    // The path and each of its parents, outermost first ("a", "a\\b", "a\\b\\c").
    QStringList pathAndParents() const;
};

bool sameRegistryName(const QString& a, const QString& b);
// True when `path` is `ancestor` or lies below it.
bool isRegistryPathWithin(const QString& path, const QString& ancestor);

} // namespace host
