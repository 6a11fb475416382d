#pragma once

#include <QImage>

#include <cstdint>

namespace ZeltorPlugin {

// The bitmap of a test (0 for the plug-in) in a size code, loaded from the library's resources;
// a null image when there is none for that pair.
QImage loadIcon(int32_t testId, int32_t size);

} // namespace ZeltorPlugin
