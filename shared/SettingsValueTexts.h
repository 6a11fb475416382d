#pragma once

#include <QString>
#include <QStringList>

// The texts of the settings whose stored number chooses an entry of a fixed list, the number being
// the entry's position: the settings page lists them so, and the host shows stored settings by them.
namespace Zeltor::SettingsValues {

inline const QStringList kComplianceUnitTexts{QStringLiteral("CmH2O/l/s"), QStringLiteral("mBar/l/s")};
// The gas reference conditions, by the names the pages list and the instrument's start command takes.
inline const QStringList kReferenceUnitTexts{QStringLiteral("BTPS"), QStringLiteral("ATPX"), QStringLiteral("STPD"),
                                             QStringLiteral("ATPS"), QStringLiteral("ATPD"), QStringLiteral("NTPD")};

} // namespace Zeltor::SettingsValues
