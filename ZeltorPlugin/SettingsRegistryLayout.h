#pragma once

#include "GlobalSettings.h"

#include "com/Value.h"

#include <QString>

#include <span>
#include <variant>

// How the global settings lie in the settings key of the registry: one value per setting, the
// orders in which they are written and read, and their text forms.
namespace ZeltorPlugin::SettingsRegistryLayout {

// One value of the settings key and the setting it holds.
struct SettingValue {
    QString name;
    std::variant<int32_t GlobalSettings::*, bool GlobalSettings::*, float GlobalSettings::*> field;
};

// The 22 values in the order a save writes them, and in the order a load reads them.
std::span<const SettingValue> writeOrder();
std::span<const SettingValue> readOrder();

// The values of the settings key that other readers own ("Duration", "TimerInterval" and the
// graph scales); a save keeps them.
std::span<const QString> valuesKeptBySave();

// What a save writes: whole numbers as numbers, flags as the text "True" or "False", thresholds
// as their text with "." as decimal point.
com::Value storedValue(const GlobalSettings& settings, const SettingValue& value);

// A threshold's text as a number: "." or the user's decimal separator as decimal point, the
// whole text one number. Raises type mismatch (13) for any other text, the empty one included,
// and overflow (6) beyond single precision.
float thresholdOf(QString text);

// Sets the setting from the value's stored text. Thresholds are read with "." or the user's
// decimal separator. A text that does not convert raises type mismatch (13) or overflow (6) and
// leaves the setting as it was.
void loadValue(GlobalSettings& settings, const SettingValue& value, const QString& text);

} // namespace ZeltorPlugin::SettingsRegistryLayout
