#include "ui/FDialogWrapper.h"

namespace ZeltorTests {

std::unique_ptr<FDialogWrapper::Subscription> FDialogWrapper::onUnload(std::function<void()> listener)
{
    return m_unload.listen(std::move(listener));
}

std::unique_ptr<FDialogWrapper::Subscription> FDialogWrapper::onControlEvent(ControlEventListener listener)
{
    return m_controlEvent.listen(std::move(listener));
}

void FDialogWrapper::callBackSet(const std::shared_ptr<Nelvar::ICallBack>& callBack)
{
    // The form listens to the callback it was last given, and to none when given none.
    m_callBackListening.reset();
    if (const auto pipe = std::dynamic_pointer_cast<Nelvar::CallBackPipe>(callBack)) {
        m_callBackListening = pipe->listen([this](const QString& eventName, const std::vector<com::Value>& args) {
            m_controlEvent.raise(eventName, args);
        });
    }
}

void FDialogWrapper::unloaded()
{
    m_callBackListening.reset();
    m_unload.raise();
}

} // namespace ZeltorTests
