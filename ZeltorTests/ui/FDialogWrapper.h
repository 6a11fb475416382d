#pragma once

#include "DialogHostForm.h"
#include "EventSource.h"

#include <functional>
#include <memory>
#include <vector>

namespace ZeltorTests {

// The test library's dialog host form: the shared form, which also listens to the host's
// callback and tells its owner of every event raised through it (ControlEvent, unchanged) and of
// its unloading by the host (Unload). The owner listens for as long as it holds the
// subscription; an owner may drop the form from within either event.
class FDialogWrapper final : public Zeltor::DialogHostForm {
public:
    using Subscription = Nelvar::CallBackPipe::Subscription;
    using ControlEventListener = std::function<void(const QString& eventName, const std::vector<com::Value>& args)>;

    // The page that CreateSetupCtrl created, for the members a page has beyond ICustomControl.
    std::shared_ptr<Nelvar::ICustomControl> SetupControl() const { return page(); }

    [[nodiscard]] std::unique_ptr<Subscription> onUnload(std::function<void()> listener);
    [[nodiscard]] std::unique_ptr<Subscription> onControlEvent(ControlEventListener listener);

private:
    void callBackSet(const std::shared_ptr<Nelvar::ICallBack>& callBack) override;
    void unloaded() override;

    Zeltor::EventSource<> m_unload;
    Zeltor::EventSource<const QString&, const std::vector<com::Value>&> m_controlEvent;
    std::unique_ptr<Subscription> m_callBackListening;
};

} // namespace ZeltorTests
