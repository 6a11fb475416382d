#pragma once

#include "ui/XFullscreenViewMenu.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QString>
#include <QStringList>

// What the full-screen menu shows the user of the item picked.
namespace FullscreenMenuState {

// The title of the record in the information panel, or nothing while the panel is hidden.
inline QString infoShown(ZeltorTests::XFullscreenViewMenu& menu)
{
    const auto& info = menu.MenuInfo();
    if (info.height() == 0 || !info.findChild<QGroupBox*>(QStringLiteral("fraInformation"))->isEnabled())
        return {};
    return info.findChild<QLineEdit*>(QStringLiteral("txtTitle"))->text();
}

// The trend and snapshot buttons that are enabled: "T0" start ... "S2" delete snapshot.
inline QString enabledButtons(ZeltorTests::XFullscreenViewMenu& menu)
{
    QStringList enabled;
    for (int32_t index = 0; index < 3; ++index)
        if (menu.TrendButton(index).isEnabled())
            enabled << QStringLiteral("T%1").arg(index);
    for (int32_t index = 0; index < 3; ++index)
        if (menu.SnapshotButton(index).isEnabled())
            enabled << QStringLiteral("S%1").arg(index);
    return enabled.join(QLatin1Char(' '));
}

} // namespace FullscreenMenuState
