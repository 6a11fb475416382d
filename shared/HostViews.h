#pragma once

#include "com/Object.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

// The host's view controls that the system's pages create by class name (com::ClassRegistry) and
// place: the test-guide settings, the help text and the limit page. The first two are widgets that
// the creating page puts into its own layout; it keeps the object for as long as it shows it.
namespace Nelvar {

class ITestGuideConfig;

inline constexpr const char* kTestGuideSettingsProgId = "NelvarView.XTestGuideSettings";
inline constexpr const char* kHelpTextProgId = "NelvarView.XHelpText";
inline constexpr const char* kLimitViewProgId = "NelvarView.XLimitView";

// Edits a test's test-guide settings (whether the operator may skip the test or mark it not
// applicable) in place.
class XTestGuideSettings : public QWidget, public virtual com::Object {
public:
    using QWidget::QWidget;

    // Shows the settings and from then on edits them; none leaves nothing to edit. Handing them
    // over is no edit.
    virtual void SetTestGuideConfig(const std::shared_ptr<ITestGuideConfig>& config) = 0;
    // A locked control takes no input.
    virtual bool Locked() const = 0;
    virtual void setLocked(bool locked) = 0;
    // Called once after each edit the user makes.
    virtual void setChangeListener(std::function<void()> listener) = 0;
};

// A paragraph of help below a page's controls.
class XHelpText : public QWidget, public virtual com::Object {
public:
    using QWidget::QWidget;

    virtual QString Text() const = 0;
    virtual void setText(const QString& text) = 0;
};

// The limit page: one row per parameter, showing and editing the limits of one standard of the
// limit data it is initialised with (its ICustomControl). The user picks the standard; each row
// edits the parameter's limit of that standard in place: its upper and lower bound, each with its
// enabled mark, and its unit. After each such edit the page raises "Change" through its callback
// with the edited limit (ILimit) as the only argument.
class XLimitView : public virtual com::Object {
public:
    // One parameter's row: its key (the name of its limits), its caption, its unit list (unit texts
    // separated by ";") and a fourth text the system passes empty. The rows added after the page
    // was last initialised make up its next set of rows, which it shows from the next
    // initialisation on; so a refill is a run of AddRow calls followed by Initialize.
    virtual void AddRow(const QString& key, const QString& caption, const QString& unitList,
                        const QString& reserved) = 0;
};

} // namespace Nelvar
