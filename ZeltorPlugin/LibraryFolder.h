#pragma once

#include <QString>

namespace ZeltorPlugin {

// The folder the ZeltorPlugin library was loaded from (without a trailing separator); empty when
// it cannot be told.
QString libraryFolder();

} // namespace ZeltorPlugin
