#include "SettingsCommand.h"

#include "HostPlugIn.h"
#include "ScratchRegistry.h"

#include "registry/RegistryFile.h"
#include "registry/RegistryKeyPath.h"

#include "PlugIn.h"
#include "Product.h"
#include "Registry.h"
#include "UnitTexts.h"

#include "com/ClassRegistry.h"

#include <QStringList>

#include <utility>

namespace {

const QString kSource = QStringLiteral("nelvar settings");

// The settings that hold a display unit by its unit identifier.
const QStringList kDisplayUnits{QStringLiteral("FlowUnit"), QStringLiteral("PressureUnit"),
                                QStringLiteral("HighPressureUnit"), QStringLiteral("TemperatureUnit")};

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

void printValue(const QString& name, const QString& text, QTextStream& out)
{
    out << QStringLiteral("  %1 %2\n").arg(name, -27).arg(text);
}

// A display unit by its text, any other setting as stored.
QString settingText(const host::NamedRegistryValue& value, const ZeltorConverter::IUnitTexts& units)
{
    if (!kDisplayUnits.contains(value.name, Qt::CaseInsensitive) || value.value.type != host::RegistryValue::Type::Dword)
        return value.value.toText();
    const QString unit = units.ParseUnitIDToString(value.value.number);
    return unit.isEmpty() ? QStringLiteral("%1 (no unit)").arg(value.value.number) : unit;
}

// The settings as the settings object holds them: what it stores into a registry of its own.
host::RegistryData loadedSettings(Nelvar::ISetup& setup)
{
    const ScratchRegistry scratch;
    setup.RegSave(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
    return scratch.read();
}

void printSettings(Nelvar::ISetup& setup, const host::RegistryData& registry, QTextStream& out)
{
    const host::RegistryKey* stored = storedKey(registry, Zeltor::kSettingsKey);
    const bool noneStored = !stored || stored->valueCount() == 0;
    out << "Global settings as the plug-in loaded them (HKEY_LOCAL_MACHINE\\" << Zeltor::kSettingsKey << ")"
        << (noneStored ? ", none stored: the plug-in's defaults:\n" : ":\n");
    const auto units =
        com::ClassRegistry::instance().createAs<ZeltorConverter::IUnitTexts>(ZeltorConverter::kGConvertersProgId);
    const host::RegistryData loaded = loadedSettings(setup);
    const host::RegistryKey* saved = storedKey(loaded, Zeltor::kSettingsKey);
    if (saved)
        for (const host::NamedRegistryValue& value : saved->values())
            printValue(value.name, settingText(value, *units), out);
    if (noneStored)
        return;
    bool headed = false;
    for (const host::NamedRegistryValue& value : stored->values()) {
        if (saved && saved->value(value.name))
            continue;
        if (!std::exchange(headed, true))
            out << "Other values of the settings key, read by the tests:\n";
        printValue(value.name, value.value.toText(), out);
    }
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
        printSettings(*plugIn->Setup(), registry, out);
        out.flush();
        return 0;
    } catch (const com::Error& error) {
        out.flush();
        printFailure(QStringLiteral("the global settings could not be read"), error);
        return 1;
    }
}
