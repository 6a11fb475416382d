#include "RegistryKeyPath.h"

#include "HostErrors.h"

#include "com/Error.h"

#include <array>
#include <utility>

namespace host {

namespace {

const QLatin1Char kSeparator('\\');

QString hiveName(int32_t hive)
{
    static const std::array<std::pair<uint32_t, QLatin1StringView>, 5> hives{{
        {0x80000000u, QLatin1StringView("HKEY_CLASSES_ROOT")},
        {0x80000001u, QLatin1StringView("HKEY_CURRENT_USER")},
        {0x80000002u, QLatin1StringView("HKEY_LOCAL_MACHINE")},
        {0x80000003u, QLatin1StringView("HKEY_USERS")},
        {0x80000005u, QLatin1StringView("HKEY_CURRENT_CONFIG")},
    }};
    for (const auto& [number, name] : hives)
        if (number == static_cast<uint32_t>(hive))
            return name;
    return {};
}

} // namespace

RegistryKeyPath RegistryKeyPath::of(int32_t hive, const QString& path, const QString& source)
{
    const QString name = hiveName(hive);
    if (name.isEmpty())
        errors::raise(errors::kRegistryKeyNotOpen, source,
                      QStringLiteral("unknown hive %1").arg(com::errorNumberText(hive)));
    const QStringList parts = path.split(kSeparator, Qt::SkipEmptyParts);
    if (parts.isEmpty())
        errors::raise(errors::kRegistryKeyNotOpen, source, QStringLiteral("the key path is empty"));
    return {name, parts.join(kSeparator)};
}

QStringList RegistryKeyPath::pathAndParents() const
{
    QStringList paths;
    QString prefix;
    for (const QString& part : path.split(kSeparator)) {
        prefix = prefix.isEmpty() ? part : prefix + kSeparator + part;
        paths.append(prefix);
    }
    return paths;
}

bool sameRegistryName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isRegistryPathWithin(const QString& path, const QString& ancestor)
{
    if (path.size() == ancestor.size())
        return sameRegistryName(path, ancestor);
    return path.size() > ancestor.size() && path[ancestor.size()] == kSeparator &&
           sameRegistryName(path.left(ancestor.size()), ancestor);
}

} // namespace host
