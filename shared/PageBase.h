#pragma once

#include "Dialogs.h"

#include <QWidget>

#include <memory>

namespace Zeltor {

// The base of every page the host docks: a widget that is the page's window and offers the
// host's ICustomControl. It holds the host's callback, reports the user's edits through it, and
// keeps the page's loading flag and lock state. A page adds what it shows (Initialize) and how it
// reacts to a change of Locked (lockChanged).
class PageBase : public QWidget, public Nelvar::ICustomControl {
    Q_OBJECT

public:
    explicit PageBase(QWidget* parent = nullptr);

    std::shared_ptr<Nelvar::ICallBack> CallBack() const override;
    void setCallBack(const std::shared_ptr<Nelvar::ICallBack>& callBack) override;
    QWidget* hWnd() const override;
    // Whether the page is shown within its container (the window it is docked into or its form).
    bool Visible() const override;
    // Serves both ICustomControl and QWidget, so show() and hide() mean the same.
    void setVisible(bool visible) override;
    bool Locked() const override;
    void setLocked(bool locked) override;
    void Refresh() override;
    // Gives the focus to the page's first control in tab order that takes it, or to the page.
    void SetFocus() override;

protected:
    // While a LoadingScope lives the page is writing its own controls from code: its change
    // handlers do nothing and no "Change" is reported. Scopes nest: each restores the flag it found.
    class LoadingScope {
    public:
        explicit LoadingScope(PageBase& page);
        ~LoadingScope();
        LoadingScope(const LoadingScope&) = delete;
        LoadingScope& operator=(const LoadingScope&) = delete;

    private:
        PageBase& m_page;
        const bool m_wasLoading;
    };

    bool isLoading() const { return m_loading; }
    // Tells the host of a user's edit: "Change" with no arguments, when a callback is set and the
    // page is not loading. The callback's failure reaches the caller.
    void raiseChange();
    // Runs when Locked takes a new value, not when it is set to the value it has.
    virtual void lockChanged(bool locked);

private:
    std::shared_ptr<Nelvar::ICallBack> m_callBack;
    bool m_locked = false;
    bool m_loading = false;
};

} // namespace Zeltor
