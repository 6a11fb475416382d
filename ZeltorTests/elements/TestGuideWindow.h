#pragma once

#include "com/Object.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Nelvar {
class IResultData;
class ITestElement;
class ITestSequence;
} // namespace Nelvar

namespace ZeltorTests {

class ITestGuideWindow;

// The events a test guide window raises to the element that runs in it, from its toolbar, keys
// and tools menu (abort after the host's confirmation, not applicable and skip after a data-loss
// confirmation) and, TimerTick, from its one-second clock while it runs.
class ITestGuideEvents {
public:
    virtual ~ITestGuideEvents() = default;
    virtual void StartTest() = 0;
    virtual void StopTest() = 0;
    virtual void AbortTest() = 0;
    virtual void NA() = 0;
    virtual void NextTest() = 0;
    virtual void Previous() = 0;
    virtual void ResetCalculations() = 0;
    virtual void Skip() = 0;
    virtual void TimerTick() = 0;
};

// The full-screen live view of a test guide window, as the ventilator test drives it.
class IFullscreenView {
public:
    virtual ~IFullscreenView() = default;
    // Binds the view to the test and its window; with fInitMenu it builds its menu anew.
    virtual void Initialize(const std::shared_ptr<Nelvar::ITestElement>& test, ITestGuideWindow& form,
                            bool fInitMenu) = 0;
    // The menu's running state (trend and snapshot commands enabled) and stopped state.
    virtual void StartTest() = 0;
    virtual void StopTest() = 0;
    // Every waveform pane's frame rate moves by `step` (+1 or -1), kept within 1 to 50.
    virtual void StepFrameRate(int32_t step) = 0;
};

// The class name under which the test library registers its test guide window.
inline const QString kTestGuideWindowProgId = QStringLiteral("ZeltorTests.FZeltorTestGuide");

// The test guide window in which a test element runs, as the elements reach it; made by its class
// name. Creating one loads it; destroying it unloads it.
class ITestGuideWindow : public virtual com::Object {
public:
    enum EDisplayMode : int32_t {
        edmFullscreen = 1,
        edmNormal = 2,
    };

    // The element that handles the window's events, which outlives the window; none raises none.
    virtual void setEventHandler(ITestGuideEvents* events) = 0;
    // Binds the window to the element and its run context and prepares it for the element's test.
    virtual void Initialize(const std::shared_ptr<Nelvar::ITestElement>& element,
                            const std::shared_ptr<Nelvar::ITestSequence>& sequence) = 0;
    // Shows the window modally; returns once it is hidden.
    virtual void ShowModal() = 0;
    virtual void Hide() = 0;
    // True runs the one-second clock (TimerTick follows) and the progress animation.
    virtual void setRunning(bool running) = 0;
    virtual bool Running() const = 0;
    // Not running, clock off, full-screen view stopped, toolbar ready to start, navigation enabled.
    virtual void SetStoppedState() = 0;
    virtual void UpdateElapsedTime(int32_t seconds) = 0;
    virtual void UpdateResults(const std::shared_ptr<Nelvar::IResultData>& result) = 0;
    virtual void ClearFailedResults() = 0;
    virtual void RemoveResultItem(const QString& key) = 0;
    virtual int32_t DisplayMode() const = 0;
    // A button of the toolbar, addressed by its key ("stop", "tools", ...).
    virtual void setToolbarButtonEnabled(const QString& key, bool enabled) = 0;
    virtual IFullscreenView& FullscreenView() = 0;
};

} // namespace ZeltorTests
