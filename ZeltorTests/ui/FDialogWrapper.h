#pragma once

#include "elements/DialogWrapper.h"

#include "DialogHostForm.h"
#include "EventSource.h"

#include <functional>
#include <memory>
#include <vector>

namespace ZeltorTests {

// The test library's dialog host form: the shared form, which also listens to the host's
// callback and raises its events to its owner.
class FDialogWrapper final : public Zeltor::DialogHostForm, public IDialogWrapper {
public:
    std::shared_ptr<Nelvar::ICustomControl> CreateSetupCtrl(const QString& className) override
    {
        return DialogHostForm::CreateSetupCtrl(className);
    }
    void InitializeQuietly(const com::Value& data) override { DialogHostForm::InitializeQuietly(data); }
    std::shared_ptr<Nelvar::ICustomControl> SetupControl() const override { return page(); }

    [[nodiscard]] std::unique_ptr<Subscription> onUnload(std::function<void()> listener) override;
    [[nodiscard]] std::unique_ptr<Subscription> onControlEvent(ControlEventListener listener) override;

private:
    void callBackSet(const std::shared_ptr<Nelvar::ICallBack>& callBack) override;
    void unloaded() override;

    Zeltor::EventSource<> m_unload;
    Zeltor::EventSource<const QString&, const std::vector<com::Value>&> m_controlEvent;
    std::unique_ptr<Subscription> m_callBackListening;
};

} // namespace ZeltorTests
