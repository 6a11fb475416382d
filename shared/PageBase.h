#pragma once

#include "Dialogs.h"

#include "com/Failure.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>
#include <type_traits>
#include <utility>

namespace Nelvar {
class XHelpText;
}

namespace Zeltor {

// The base of every page the host docks: a widget that is the page's window and offers the
// host's ICustomControl. It holds the host's callback, reports the user's edits through it, and
// keeps the page's loading flag and lock state. A page adds what it shows (Initialize) and how it
// reacts to a change of Locked (lockChanged), and connects each of its controls' edits through
// connectEdit, which is the one way a page's handler is written.
class PageBase : public QWidget, public Nelvar::ICustomControl {
    Q_OBJECT

public:
    explicit PageBase(QWidget* parent = nullptr);
    ~PageBase() override;

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

    // When an edit handler runs on a bound page. By default for the user's edits only: not while
    // the page writes its own controls, whether or not the page is locked.
    struct EditOptions {
        // Also while the page is loading, for a correction that holds for what the page shows.
        bool whileLoading = false;
        // Also while the page is locked.
        bool whileLocked = true;
    };

    // Connects a control's edit signal to its handler, the one way a page reacts to an edit: the
    // handler runs only on a bound page (isBound) and as the options allow; it runs until its first
    // failure; once it has completed "Change" is raised, unless it returned false (it then took no
    // edit). The handler takes the signal's arguments, or the first few of them, or none.
    template <typename Sender, typename Signal, typename Handler>
    QMetaObject::Connection connectEdit(const Sender* sender, Signal signal, Handler handler, EditOptions options = {})
    {
        return connect(sender, signal, this, editHandler(std::move(handler), options));
    }

    // The same for a control that takes its handler as a function rather than by a signal. The
    // function takes what the handler takes.
    template <typename Handler>
    auto editHandler(Handler handler, EditOptions options = {})
    {
        return editHandler(std::move(handler), options, decltype(argumentsOf(&Handler::operator())){});
    }

    // Whether the page holds what its edits write to; an unbound page takes no edit.
    virtual bool isBound() const { return true; }

    // Makes the page view-only: it keeps no callback, so it raises nothing, and its lock is fixed
    // (see fixLock).
    void setViewOnly(bool locked);
    // The host's setLocked changes nothing: Locked always answers `locked`.
    void fixLock(bool locked);

    // Places the host's help text control on the page (its child "xhtHelpText"); a host without
    // one leaves the page without help. Called once, before setHelpText.
    void createHelpText();
    // Shows the translation of the language key in the help text, when there is one.
    void setHelpText(const QString& key);
    Nelvar::XHelpText* helpText() const { return m_helpText.get(); }

    bool isLoading() const { return m_loading; }
    // Tells the host of a user's edit: "Change" with no arguments, when a callback is set and the
    // page is not loading. The callback's failure reaches the caller.
    void raiseChange();
    // Runs when Locked takes a new value, not when it is set to the value it has.
    virtual void lockChanged(bool locked);

private:
    template <typename... Arguments>
    struct ArgumentList {};
    template <typename Class, typename Result, typename... Arguments>
    static ArgumentList<Arguments...> argumentsOf(Result (Class::*)(Arguments...) const);

    template <typename Handler, typename... Arguments>
    auto editHandler(Handler handler, EditOptions options, ArgumentList<Arguments...>)
    {
        return [this, handler = std::move(handler), options](Arguments... arguments) {
            runEdit(options, [&] { return handler(arguments...); });
        };
    }

    bool takesEdit(const EditOptions& options) const;

    template <typename Handler>
    void runEdit(const EditOptions& options, Handler&& handler)
    {
        if (!takesEdit(options))
            return;
        bool tookEdit = true;
        const bool completed = com::untilFirstFailure([&] {
            if constexpr (std::is_same_v<std::invoke_result_t<Handler&>, bool>)
                tookEdit = handler();
            else
                handler();
        });
        if (completed && tookEdit)
            com::ignoreFailure([this] { raiseChange(); });
    }

    std::shared_ptr<Nelvar::ICallBack> m_callBack;
    std::shared_ptr<Nelvar::XHelpText> m_helpText;
    bool m_locked = false;
    bool m_lockFixed = false;
    bool m_viewOnly = false;
    bool m_loading = false;
};

} // namespace Zeltor
