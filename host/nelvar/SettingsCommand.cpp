#include "SettingsCommand.h"

#include "HostPlugIn.h"
#include "ScratchRegistry.h"

#include "registry/RegistryFile.h"
#include "registry/RegistryKeyPath.h"

#include "PlugIn.h"
#include "Product.h"
#include "Registry.h"
#include "SettingsValueNames.h"
#include "SettingsValueTexts.h"
#include "UnitTexts.h"

#include "EUnit.h"

#include "com/ClassRegistry.h"

#include <QStringList>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace {

const QString kSource = QStringLiteral("nelvar settings");

// A setting whose stored number stands for a unit: what its numbers are, and the text of each
// number it may hold.
struct UnitSetting {
    QLatin1String name;
    QString outside; // the text of a number that is none of its units, %1 the number
    std::vector<int32_t> units; // the unit identifiers it may hold; none for a setting of its own list
    const QStringList* listed = nullptr; // the texts of its own list, by position
};

namespace V = Zeltor::SettingsValues;
using namespace ZeltorConverter;

const std::vector<int32_t> kPressureUnits{eunPressure_CmH20, eunPressure_mBar, eunPressure_mmHg, eunPressure_kPa,
                                          eunPressure_PSI};
const UnitSetting kUnitSettings[] = {
    {V::kFlowUnit, QStringLiteral("%1 (not a flow unit)"), {eunFlow_MLpSec, eunFlow_LpSec, eunFlow_LpMin}},
    {V::kPressureUnit, QStringLiteral("%1 (not a pressure unit)"), kPressureUnits},
    {V::kHighPressureUnit, QStringLiteral("%1 (not a pressure unit)"), kPressureUnits},
    {V::kTemperatureUnit,
     QStringLiteral("%1 (not a temperature unit)"),
     {eunTemperature_Celcius, eunTemperature_Fahrenheit, eunTemperature_Kelvin}},
    // Stored and restored only: nothing reads it, so a fresh install's 0 is no fault.
    {V::kVolumeUnit, QStringLiteral("%1 (stored only; volumes are shown in l)"), {eunVolume_Liter}},
    {V::kComplianceUnit, QStringLiteral("%1 (not a compliance unit)"), {}, &V::kComplianceUnitTexts},
    {V::kReferenceUnit, QStringLiteral("%1 (not a gas reference condition)"), {}, &V::kReferenceUnitTexts},
};

// The text of the unit the setting holds; empty for a number that is none of its units.
QString unitText(const UnitSetting& setting, int32_t number, const IUnitTexts& units)
{
    if (setting.listed)
        return setting.listed->value(number);
    return std::find(setting.units.begin(), setting.units.end(), number) != setting.units.end()
        ? units.ParseUnitIDToString(number)
        : QString();
}

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

// A unit setting by its unit's text, any other setting as stored.
QString settingText(const host::NamedRegistryValue& value, const IUnitTexts& units)
{
    const auto setting = std::find_if(std::begin(kUnitSettings), std::end(kUnitSettings), [&](const UnitSetting& unit) {
        return value.name.compare(unit.name, Qt::CaseInsensitive) == 0;
    });
    if (setting == std::end(kUnitSettings) || value.value.type != host::RegistryValue::Type::Dword)
        return value.value.toText();
    const QString unit = unitText(*setting, value.value.number, units);
    return unit.isEmpty() ? setting->outside.arg(value.value.number) : unit;
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
    const auto units = com::ClassRegistry::instance().createAs<IUnitTexts>(kGConvertersProgId);
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
            initializePlugIn(*plugIn);
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
