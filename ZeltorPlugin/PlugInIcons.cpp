#include "PlugInIcons.h"

#include "PlugInIconTable.h"

#include <algorithm>

namespace ZeltorPlugin {

QImage loadIcon(int32_t testId, int32_t size)
{
    const auto bitmap = std::ranges::find_if(
        kIconBitmaps, [&](const IconBitmap& entry) { return entry.testId == testId && entry.size == size; });
    if (bitmap == kIconBitmaps.end())
        return {};
    return QImage(QLatin1String(kIconResourceFolder) + QLatin1String(bitmap->name));
}

} // namespace ZeltorPlugin
