#pragma once

#include "Dialogs.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

namespace Zeltor {

// The form through which a page reaches the host. The creator has it create the page by class
// name and hand it its data object; the host then drives it as IDialog, and the form forwards
// to the page or acts on its own window, which is never shown on its own.
//
// The form owns its page. Docking only makes the page's window a child of the host's widget:
// UnDock, Unload and the form's destruction give it back before anything is released, so a host
// widget must unload (or undock) its dialogs before it is destroyed. Once unloaded the form does
// nothing more.
//
// Every IDialog member except Initialize ignores a page that fails, and does nothing without a
// page. This is the form of the plug-in library; the test library's form adds its events.
class DialogHostForm : public virtual Nelvar::IDialog {
public:
    DialogHostForm();
    ~DialogHostForm() override;
    DialogHostForm(const DialogHostForm&) = delete;
    DialogHostForm& operator=(const DialogHostForm&) = delete;

    // Creates the page through the class registry and places it, hidden, on the form. Returns
    // none, and leaves the form without a page, for an empty or unknown class name, an object
    // that is no page, a form that has a page already or has been unloaded.
    std::shared_ptr<Nelvar::ICustomControl> CreateSetupCtrl(const QString& className);
    // The form's own Initialize: as IDialog's, but a failing page ends it silently.
    void InitializeQuietly(const com::Value& data);

    std::shared_ptr<Nelvar::ICallBack> CallBack() const override;
    void setCallBack(const std::shared_ptr<Nelvar::ICallBack>& callBack) final;
    bool IsDocked() const override;
    bool Locked() const override;
    void setLocked(bool locked) override;
    // Passes the page's error on unchanged.
    void Initialize(const com::Value& data) override;
    void Hide() override;
    void Show(int32_t mode) override;
    void Dock(QWidget* parent) override;
    void UnDock() override;
    void Unload() final;
    void Move(float left, float top, float width, float height) override;
    void Refresh() override;
    void SetFocus() override;

protected:
    const std::shared_ptr<Nelvar::ICustomControl>& page() const { return m_page; }

private:
    // What a form with events adds: the callback has been handed to the page; the form has
    // been unloaded.
    virtual void callBackSet(const std::shared_ptr<Nelvar::ICallBack>& callBack);
    virtual void unloaded();

    // Runs one call on the page, when the form has a page and is not unloaded; a failure is
    // ignored.
    template <typename Call>
    void forward(Call&& call) const;
    // Makes the page's window a child of the widget, keeping it shown or hidden as it was.
    void reparentPage(QWidget* parent) const;
    QWidget* moveTarget() const;

    std::unique_ptr<QWidget> m_window;
    std::shared_ptr<Nelvar::ICustomControl> m_page;
    QPointer<QWidget> m_pageWindow;
    bool m_docked = false;
    bool m_unloaded = false;
};

} // namespace Zeltor
