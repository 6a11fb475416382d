#pragma once

#include "Dialogs.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace ZeltorTests {

// The class name under which the test library registers its dialog host form.
inline const QString kDialogWrapperProgId = QStringLiteral("ZeltorTests.FDialogWrapper");

// The test library's dialog host form as the data objects that hand their pages to the host use
// it; made by its class name. Beyond IDialog it tells its owner of every event raised through the
// host's callback (ControlEvent, unchanged) and of its unloading by the host (Unload). The owner
// listens for as long as it holds the subscription; an owner may drop the form from within either
// event.
class IDialogWrapper : public virtual Nelvar::IDialog {
public:
    using Subscription = Nelvar::CallBackPipe::Subscription;
    using ControlEventListener = std::function<void(const QString& eventName, const std::vector<com::Value>& args)>;

    // Creates the page through the class registry and places it, hidden, on the form; none, and
    // no page, for a class name that gives no page.
    virtual std::shared_ptr<Nelvar::ICustomControl> CreateSetupCtrl(const QString& className) = 0;
    // The form's own Initialize: as IDialog's, but a failing page ends it silently.
    virtual void InitializeQuietly(const com::Value& data) = 0;
    // The page that CreateSetupCtrl created, for the members a page has beyond ICustomControl.
    virtual std::shared_ptr<Nelvar::ICustomControl> SetupControl() const = 0;

    [[nodiscard]] virtual std::unique_ptr<Subscription> onUnload(std::function<void()> listener) = 0;
    [[nodiscard]] virtual std::unique_ptr<Subscription> onControlEvent(ControlEventListener listener) = 0;
};

} // namespace ZeltorTests
