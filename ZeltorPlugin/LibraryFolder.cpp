#include "LibraryFolder.h"

#include <QFileInfo>

#include <dlfcn.h>

namespace ZeltorPlugin {

QString libraryFolder()
{
    // The loaded object that holds this very function is the library.
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&libraryFolder), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

} // namespace ZeltorPlugin
