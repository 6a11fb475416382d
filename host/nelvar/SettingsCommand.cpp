#include "SettingsCommand.h"

#include "HostPlugIn.h"

#include "registry/RegistryFile.h"
#include "registry/RegistryKeyPath.h"

#include "PlugIn.h"
#include "Product.h"
#include "Registry.h"

namespace {

const QString kSource = QStringLiteral("nelvar settings");

const host::RegistryKey* storedKey(const host::RegistryData& registry, const QString& path)
{
    return registry.findKey(host::RegistryKeyPath::of(Nelvar::kHiveLocalMachine, path, kSource));
}

void printTemplateFile(const host::RegistryData& registry, QTextStream& out)
{
    const host::RegistryKey* key = storedKey(registry, Zeltor::kRegistryKey);
    const host::RegistryValue* path = key ? key->value(QStringLiteral("Configuration")) : nullptr;
    out << "Template file: "
        << (path && !path->toText().isEmpty() ? path->toText()
                                              : QStringLiteral("ZeltorPlugin.mpc next to the plug-in library"))
        << '\n';
}

void printSettings(const host::RegistryData& registry, QTextStream& out)
{
    out << "Global settings (HKEY_LOCAL_MACHINE\\" << Zeltor::kSettingsKey << "):\n";
    const host::RegistryKey* key = storedKey(registry, Zeltor::kSettingsKey);
    if (!key || key->valueCount() == 0) {
        out << "  none stored: the plug-in uses its defaults\n";
        return;
    }
    for (const host::NamedRegistryValue& value : key->values())
        out << QStringLiteral("  %1 %2\n").arg(value.name, -27).arg(value.value.toText());
}

} // namespace

int runSettingsCommand(QTextStream& out)
{
    try {
        const auto plugIn = createPlugIn();
        try {
            plugIn->Initialize(nullptr);
        } catch (const com::Error& error) {
            // The settings are loaded before the catalogue, so they stand even when it fails.
            printFailure(QStringLiteral("the plug-in could not be initialised"), error);
            if (!plugIn->Setup())
                return 1;
        }
        const host::RegistryData registry = host::RegistryFile().read();
        printTemplateFile(registry, out);
        printSettings(registry, out);
        out.flush();
        return 0;
    } catch (const com::Error& error) {
        out.flush();
        printFailure(QStringLiteral("the global settings could not be read"), error);
        return 1;
    }
}
