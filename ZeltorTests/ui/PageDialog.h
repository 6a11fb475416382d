#pragma once

#include "com/Value.h"

#include <QString>

#include <memory>

namespace Nelvar {
class IDialog;
}

namespace ZeltorTests {

// The class names by which the dialog host form creates the test library's pages.
inline const QString kConfigDialogProgId = QStringLiteral("ZeltorTests.XConfigDialog");
inline const QString kConfigVentilatorDialogProgId = QStringLiteral("ZeltorTests.XConfigVentilatorDialog");

// A new dialog host form with the page of that class name, initialised with the data object
// through IDialog.Initialize; none when the page cannot be made or initialised (the failure is
// not passed on).
std::shared_ptr<Nelvar::IDialog> openPageDialog(const QString& pageClass, const com::Value& data);

} // namespace ZeltorTests
