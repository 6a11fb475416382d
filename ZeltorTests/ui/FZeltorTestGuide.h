#pragma once

#include "ui/TestGuideToolbar.h"
#include "elements/TestGuideWindow.h"
#include "ui/XFullscreenView.h"
#include "ui/XMinMaxAvg.h"
#include "ui/XResultVentilator.h"

#include "TestGuideHost.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace ZeltorTests {

class CResultVentilator;
class HighResTimer;
class IZeltorConfiguration;

// The window in which the operator runs one test of a test sequence. It owns no test logic: it
// turns toolbar clicks, tools-menu choices and keys into commands, commands into the events of
// the element that opened it, runs a one-second clock while a test runs, and shows what the
// element hands back: results, elapsed time, pass or fail. The element hides it to end its modal
// display.
// For the ventilator test the window can switch to its full-screen live view, which then covers
// the whole screen until the view asks to go back.
class FZeltorTestGuide final : public QWidget, public ITestGuideWindow {
    Q_OBJECT

public:
    // Loads the window: its controls with their captions translated, and its one-second clock.
    FZeltorTestGuide();
    // Unloads the window: the wizard lets go of it and of the controls it hosts.
    ~FZeltorTestGuide() override;

    // ITestGuideWindow. Initialize stops at the first failing step and raises its error; the
    // other members skip a failing step and go on with the next.
    void setEventHandler(ITestGuideEvents* events) override { m_events = events; }
    void Initialize(const std::shared_ptr<Nelvar::ITestElement>& element,
                    const std::shared_ptr<Nelvar::ITestSequence>& sequence) override;
    void ShowModal() override;
    void Hide() override;
    void setRunning(bool running) override;
    void SetStoppedState() override;
    void UpdateElapsedTime(int32_t seconds) override;
    void UpdateResults(const std::shared_ptr<Nelvar::IResultData>& result) override;
    void ClearFailedResults() override;
    void RemoveResultItem(const QString& key) override;
    int32_t DisplayMode() const override { return m_displayMode; }
    void setToolbarButtonEnabled(const QString& key, bool enabled) override;
    IFullscreenView& FullscreenView() override { return m_xfvFullscreen; }

    bool Running() const override { return m_running; }
    // 1 covers the screen with the full-screen view, 2 brings back the normal window; the same
    // mode again changes nothing.
    void setDisplayMode(int32_t mode);
    XFullscreenView& fullscreenView() { return m_xfvFullscreen; }
    // Carries out a command key of a button, a tools entry or a shortcut; other keys do nothing.
    void PerformAction(const QString& key);

protected:
    // The window sees the keys of all its controls before they do.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Closing the window asks to abort the test; the element closes it.
    void closeEvent(QCloseEvent* event) override;

private:
    void ApplyTestGuideConfig(const std::shared_ptr<IZeltorConfiguration>& configuration);
    void InitializeResultList(const std::shared_ptr<Nelvar::IStandards>& limitContext, bool showStatistics);
    void EnableNavigation(bool enable);
    bool ConfirmDiscardData() const;
    // The command of a key in the normal display mode, or none.
    QString shortcutCommand(int key, Qt::KeyboardModifiers modifiers) const;
    void layoutControls();
    void onSelectionChange(const QString& key);
    void onStandardSelected(const QString& name, const QString& completeName);
    void onWizardChange();
    void onCreateSnapshot(int32_t currentX);
    // The element's result as a ventilator result; none for another test.
    std::shared_ptr<CResultVentilator> ventilatorResult() const;
    // The status of the element's result; 0 when it has none.
    int32_t resultStatus() const;
    template <typename Event>
    void raiseEvent(Event event);

    ITestGuideEvents* m_events = nullptr;
    std::shared_ptr<Nelvar::ITestElement> m_element;
    int32_t m_displayMode = 0;
    QRect m_normalRect;
    int32_t m_duration = 0;
    QString m_selectedKey;
    bool m_running = false;
    bool m_shown = false;
    std::shared_ptr<HighResTimer> m_clock;
    TestGuideToolbar m_tbrPerform{this};
    XFullscreenView m_xfvFullscreen{this};
    // The host's controls; the wizard hosts the result list and the panel, which are destroyed
    // before it.
    std::unique_ptr<Nelvar::XTestGuideWizard> m_xtgWizard;
    std::unique_ptr<Nelvar::XTestGuideStatusBar> m_xtgStatusBar;
    std::unique_ptr<Nelvar::XProgressSphere> m_xpsProgress;
    XResultVentilator m_xrvResult{this};
    XMinMaxAvg m_xmmaMaxMinAvg{this};
};

} // namespace ZeltorTests
