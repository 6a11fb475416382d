#pragma once

#include "com/Value.h"

#include <QString>

#include <memory>

namespace Nelvar {
class IDialog;
}

namespace ZeltorTests {

// The class names under which the test library registers its pages.
inline const QString kConfigDialogProgId = QStringLiteral("ZeltorTests.XConfigDialog");
inline const QString kConfigVentilatorDialogProgId = QStringLiteral("ZeltorTests.XConfigVentilatorDialog");
inline const QString kDetailedResultViewProgId = QStringLiteral("ZeltorTests.XDetailedResultView");
inline const QString kDetailedResultZeltorProgId = QStringLiteral("ZeltorTests.XDetailedResultZeltor");
// The names by which the configurations ask for them; class names are matched without regard
// to case.
inline const QString kConfigDialogPage = QStringLiteral("Zeltortests.XConfigDialog");
inline const QString kConfigVentilatorDialogPage = QStringLiteral("Zeltortests.XConfigVentilatorDialog");
inline const QString kDetailedResultViewPage = QStringLiteral("Zeltortests.XDetailedResultView");
inline const QString kDetailedResultZeltorPage = QStringLiteral("Zeltortests.XDetailedResultZeltor");

// A new dialog host form with the page of that class name, initialised with the data object
// through IDialog.Initialize; none when the page cannot be made or initialised (the failure is
// not passed on).
std::shared_ptr<Nelvar::IDialog> openPageDialog(const QString& pageClass, const com::Value& data);

} // namespace ZeltorTests
