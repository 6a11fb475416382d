#pragma once

#include <QString>

namespace Zeltor {

// The product key passed with every text, error and report-text call of the system.
inline const QString kProduct = QStringLiteral("Zeltor");

// The registry key of the installation and its settings subkey (local machine hive).
inline const QString kRegistryKey = QStringLiteral("Software\\Corvane\\Nelvar\\Zeltor");
inline const QString kSettingsKey = QStringLiteral("Software\\Corvane\\Nelvar\\Zeltor\\Settings");

} // namespace Zeltor
