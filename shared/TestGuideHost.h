#pragma once

#include "com/Object.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

// What the host's test-guide library gives a test element's window: its global services object
// and the controls the window places (the wizard that holds the test's own views, the status bar
// and the progress sphere). The window uses them by these roles only.
namespace Nelvar {

class ITestElement;
class ITestSequence;

// The host's test-guide services.
class ITestGuideServices : public virtual com::Object {
public:
    // The caption of the window in which the element runs.
    virtual QString GetWindowTitle(const std::shared_ptr<ITestElement>& element) = 0;
    // Asks the operator whether to abort the test; true when the abort is confirmed.
    virtual bool ConfirmAbort() = 0;
};

// The test guide area of the window: it shows the test and hosts the test's result control and
// a second panel. Hosted controls stay owned by their creator.
class XTestGuideWizard : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual void Initialize(const std::shared_ptr<ITestElement>& element,
                            const std::shared_ptr<ITestSequence>& sequence) = 0;
    virtual void setResultControl(QWidget* control) = 0;
    virtual void setPanelControl(QWidget* control) = 0;
    virtual void setOwner(QWidget* owner) = 0;
    // Called when the owning window unloads: the first with the window, the second without
    // arguments; afterwards the wizard hosts no control and holds no element.
    virtual void ReleaseOwner(QWidget* owner) = 0;
    virtual void Release() = 0;
    // Called after the operator changed what the wizard edits (the result's comment).
    virtual void setChangeListener(std::function<void()> listener) = 0;
};

// Pass or fail, the comment flag and the selected standard, in the window's toolbar strip.
class XTestGuideStatusBar : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // 0 none, 1 pass, 2 fail, 3 not applicable.
    virtual int32_t Status() const = 0;
    virtual void setStatus(int32_t status) = 0;
    virtual bool CommentFlag() const = 0;
    virtual void setCommentFlag(bool hasComment) = 0;
    virtual void SetStandard(const QString& name, const QString& completeName) = 0;
};

// The busy animation while a run goes.
class XProgressSphere : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool Turning() const = 0;
};

// The host's test-guide library as the host installs it.
struct TestGuideHost {
    std::shared_ptr<ITestGuideServices> services;
    std::function<std::unique_ptr<XTestGuideWizard>(QWidget* parent)> createWizard;
    std::function<std::unique_ptr<XTestGuideStatusBar>(QWidget* parent)> createStatusBar;
    std::function<std::unique_ptr<XProgressSphere>(QWidget* parent)> createProgressSphere;
};

void installTestGuideHost(TestGuideHost host);
// Raises 91 (object not set) when the host installed none.
ITestGuideServices& testGuideServices();
// Each raises 429 (cannot create object) when the host installed no such control.
std::unique_ptr<XTestGuideWizard> createTestGuideWizard(QWidget* parent);
std::unique_ptr<XTestGuideStatusBar> createTestGuideStatusBar(QWidget* parent);
std::unique_ptr<XProgressSphere> createProgressSphere(QWidget* parent);

} // namespace Nelvar
