#include "CZeltorSetup.h"

#include "LibraryFolder.h"
#include "PlugInDialogWrapper.h"
#include "PlugInErrors.h"
#include "SettingsRegistryLayout.h"
#include "XZeltorSettings.h"

#include "HostServices.h"
#include "Product.h"
#include "Registry.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"

#include <optional>
#include <utility>
#include <vector>

namespace ZeltorPlugin {

namespace {

namespace Layout = SettingsRegistryLayout;

const QString kTemplatePathValue = QStringLiteral("Configuration");
const QString kDefaultTemplateName = QStringLiteral("ZeltorPlugin.mpc");

std::shared_ptr<Nelvar::IRegistry> newRegistry()
{
    return com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(QString::fromLatin1(Nelvar::kRegistryProgId));
}

// The text of a value of the open key; none when the key does not hold it.
std::optional<QString> storedText(const Nelvar::IRegistry& registry, const QString& name)
{
    try {
        return registry.GetValue(name);
    } catch (const com::Error& error) {
        if (error.number() != Nelvar::kRegistryErrValueNotFound)
            throw;
        return std::nullopt;
    }
}

QString defaultTemplatePath()
{
    return Nelvar::utilityService().AppendPathSeparator(libraryFolder()) + kDefaultTemplateName;
}

} // namespace

void CZeltorSetup::Load()
{
    RegLoad(Nelvar::kHiveLocalMachine, Zeltor::kRegistryKey);
}

void CZeltorSetup::setBreathsPerCalculation(int32_t breaths)
{
    switch (breaths) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 32:
        m_settings.BreathsPerCalculation = breaths;
        break;
    default:
        break;
    }
}

void CZeltorSetup::RegLoad(int32_t, const QString&)
{
    try {
        const auto registry = newRegistry();
        registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kRegistryKey);
        const QString templatePath = storedText(*registry, kTemplatePathValue).value_or(QString());
        m_templatePath = templatePath.isEmpty() ? defaultTemplatePath() : templatePath;

        registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
        if (registry->ValueCount() == 0)
            return;
        for (const Layout::SettingValue& value : Layout::readOrder()) {
            const std::optional<QString> text = storedText(*registry, value.name);
            // A value that does not convert is passed over like a missing one, so that the
            // values after it are still read and a later save does not write defaults over them.
            if (text)
                com::ignoreFailure([&] { Layout::loadValue(m_settings, value, *text); });
        }
    } catch (...) {
        const int32_t number = com::currentError().number();
        if (number == Nelvar::kRegistryErrKeyNotOpen || number == Nelvar::kRegistryErrFile)
            Nelvar::errorService().RaiseError(QString(), 0, QString(), 1);
    }
}

void CZeltorSetup::RegSave(int32_t, const QString&)
{
    try {
        const auto registry = newRegistry();
        registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
        std::vector<std::pair<QString, QString>> kept;
        for (const QString& name : Layout::valuesKeptBySave())
            if (const std::optional<QString> text = storedText(*registry, name))
                kept.emplace_back(name, *text);

        registry->DeleteKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
        registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
        for (const Layout::SettingValue& value : Layout::writeOrder())
            registry->SetValue(value.name, Layout::storedValue(m_settings, value));
        for (const auto& [name, text] : kept)
            registry->SetValue(name, text);
    } catch (...) {
        Nelvar::errorService().ReportError(com::currentError(), kSetupSource);
    }
}

std::shared_ptr<Nelvar::IDialog> CZeltorSetup::CreateDialog()
{
    const std::shared_ptr<CZeltorSetup> self = weak_from_this().lock();
    return self ? createPageDialog(kSettingsPageProgId, com::Value(self)) : nullptr;
}

} // namespace ZeltorPlugin
