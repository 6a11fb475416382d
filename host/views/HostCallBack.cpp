#include "HostCallBack.h"

#include "com/Failure.h"

namespace host {

HostCallBack::HostCallBack(ReceivedEvent hostHandler) : m_hostHandler(std::move(hostHandler)) {}

void HostCallBack::RaiseEvent(const QString& eventName, const std::vector<com::Value>& args)
{
    if (m_hostHandler)
        com::ignoreFailure([&] { m_hostHandler(eventName, args); });
    m_received.raise(eventName, args);
}

std::unique_ptr<HostCallBack::Subscription> HostCallBack::listen(ReceivedEvent listener)
{
    return m_received.listen(
        [listener = std::move(listener)](const QString& eventName, const std::vector<com::Value>& args) {
            com::ignoreFailure([&] { listener(eventName, args); });
        });
}

} // namespace host
