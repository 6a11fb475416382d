#pragma once

#include "com/Object.h"
#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

// The pages that data objects hand to the host, as the host and the system see them. A window
// handle of the platform stands here as the QWidget that is the window: a page's `hWnd` is its
// widget, and `Dock` takes the host widget the page goes into (none stands for a handle of 0).
namespace Nelvar {

// The host's callback object: a page reports each user edit by raising "Change" with an empty
// argument list through it.
class ICallBack : public virtual com::Object {
public:
    virtual void RaiseEvent(const QString& eventName, const std::vector<com::Value>& args) = 0;
};

// The event source of a callback object (its `ReceivedEvent`): every event raised through the
// callback reaches each listener, in the order they started listening. A listener listens for as
// long as it holds the subscription it was given.
class CallBackPipe : public virtual com::Object {
public:
    using ReceivedEvent = std::function<void(const QString& eventName, const std::vector<com::Value>& args)>;
    class Subscription {
    public:
        virtual ~Subscription() = default;
    };
    [[nodiscard]] virtual std::unique_ptr<Subscription> listen(ReceivedEvent listener) = 0;
};

// What a page control offers its dialog host form.
class ICustomControl : public virtual com::Object {
public:
    virtual std::shared_ptr<ICallBack> CallBack() const = 0;
    virtual void setCallBack(const std::shared_ptr<ICallBack>& callBack) = 0;
    // The page's window: the widget the form docks into a host window.
    virtual QWidget* hWnd() const = 0;
    virtual bool Visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool Locked() const = 0;
    virtual void setLocked(bool locked) = 0;
    // Fills the page from its data object.
    virtual void Initialize(const com::Value& data) = 0;
    virtual void Refresh() = 0;
    virtual void SetFocus() = 0;
};

// The dialog host form as the host drives it, once a data object has handed it over.
class IDialog : public virtual com::Object {
public:
    virtual std::shared_ptr<ICallBack> CallBack() const = 0;
    virtual void setCallBack(const std::shared_ptr<ICallBack>& callBack) = 0;
    virtual bool IsDocked() const = 0;
    virtual bool Locked() const = 0;
    virtual void setLocked(bool locked) = 0;
    virtual void Initialize(const com::Value& data) = 0;
    virtual void Hide() = 0;
    virtual void Show(int32_t mode) = 0;
    // Makes the page a child of the host widget; none changes nothing.
    virtual void Dock(QWidget* parent) = 0;
    virtual void UnDock() = 0;
    // Returns a docked page to the form and ends the form; the host then drops its reference.
    virtual void Unload() = 0;
    // The page's rectangle in its host widget when docked, the form's otherwise. The stand-in
    // passes pixels of the host widget where the platform passed the form's units.
    virtual void Move(float left, float top, float width, float height) = 0;
    virtual void Refresh() = 0;
    virtual void SetFocus() = 0;
};

} // namespace Nelvar
