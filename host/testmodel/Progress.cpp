#include "Progress.h"

#include "HostErrors.h"

#include "com/Error.h"

namespace host {

void Progress::BeginTask(const QString& product, const QString& textKey, int32_t& handle)
{
    const auto newHandle = static_cast<int32_t>(m_tasks.size()) + 1;
    m_tasks.push_back({product, textKey, newHandle, false});
    handle = newHandle;
}

void Progress::EndTask(int32_t handle)
{
    if (handle < 1 || handle > static_cast<int32_t>(m_tasks.size()) || m_tasks[static_cast<size_t>(handle - 1)].ended)
        errors::raise(com::errInvalidCall, QStringLiteral("Nelvar.Progress"),
                      QStringLiteral("no running task has the handle %1").arg(handle));
    m_tasks[static_cast<size_t>(handle - 1)].ended = true;
}

} // namespace host
