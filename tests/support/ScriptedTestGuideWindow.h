#pragma once

#include "elements/TestGuideWindow.h"

#include "com/ClassRegistry.h"
#include "events/EventLoop.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// What a scripted window was asked to do; it outlives the window, so a test can read it after the
// element has unloaded the window.
struct TestGuideWindowRecord {
    QStringList calls;
    QStringList viewCalls;
    QList<int32_t> frameRateSteps;
    int resultUpdates = 0;
    int32_t elapsedShown = 0;
};

// The test guide window as a test drives it: it records what the element asks of it, raises the
// element's events when the test says so, runs its one-second clock on the event loop while it is
// running, and shows itself modally until it is hidden.
class ScriptedTestGuideWindow final : public ZeltorTests::ITestGuideWindow {
public:
    class View final : public ZeltorTests::IFullscreenView {
    public:
        explicit View(TestGuideWindowRecord& record) : m_record(record) {}
        void Initialize(const std::shared_ptr<Nelvar::ITestElement>&, ZeltorTests::ITestGuideWindow&,
                        bool fInitMenu) override
        {
            m_record.viewCalls
                << QStringLiteral("Initialize(%1)").arg(fInitMenu ? QStringLiteral("true") : QStringLiteral("false"));
        }
        void StartTest() override { m_record.viewCalls << QStringLiteral("StartTest"); }
        void StopTest() override { m_record.viewCalls << QStringLiteral("StopTest"); }
        void StepFrameRate(int32_t step) override { m_record.frameRateSteps << step; }

    private:
        TestGuideWindowRecord& m_record;
    };

    ScriptedTestGuideWindow(std::shared_ptr<TestGuideWindowRecord> record, std::function<void()> onUnload)
        : m_record(std::move(record)), m_view(*m_record), m_onUnload(std::move(onUnload))
    {
    }
    ~ScriptedTestGuideWindow() override { m_onUnload(); }

    ZeltorTests::ITestGuideEvents& events() { return *m_events; }
    bool shown() const { return m_shown; }
    bool running() const { return m_running; }

    void setEventHandler(ZeltorTests::ITestGuideEvents* events) override { m_events = events; }
    void Initialize(const std::shared_ptr<Nelvar::ITestElement>&, const std::shared_ptr<Nelvar::ITestSequence>&) override
    {
        m_record->calls << QStringLiteral("Initialize");
    }
    void ShowModal() override
    {
        m_shown = true;
        events::EventLoop::current().runModal([this] { return m_shown; });
    }
    void Hide() override
    {
        m_record->calls << QStringLiteral("Hide");
        m_shown = false;
    }
    void setRunning(bool running) override
    {
        m_record->calls << (running ? QStringLiteral("Running") : QStringLiteral("NotRunning"));
        runClock(running);
    }
    bool Running() const override { return m_running; }
    void SetStoppedState() override
    {
        m_record->calls << QStringLiteral("SetStoppedState");
        runClock(false);
    }
    void UpdateElapsedTime(int32_t seconds) override { m_record->elapsedShown = seconds; }
    void UpdateResults(const std::shared_ptr<Nelvar::IResultData>&) override { ++m_record->resultUpdates; }
    void ClearFailedResults() override { m_record->calls << QStringLiteral("ClearFailedResults"); }
    void RemoveResultItem(const QString& key) override { m_record->calls << QStringLiteral("RemoveResultItem(%1)").arg(key); }
    int32_t DisplayMode() const override { return displayMode; }
    void setToolbarButtonEnabled(const QString& key, bool enabled) override
    {
        m_record->calls << QStringLiteral("%1 %2").arg(enabled ? QStringLiteral("enable") : QStringLiteral("disable"), key);
    }
    ZeltorTests::IFullscreenView& FullscreenView() override { return m_view; }

    int32_t displayMode = edmNormal;

private:
    void runClock(bool running)
    {
        m_running = running;
        if (!running) {
            m_clock.reset();
            return;
        }
        m_clock = events::EventLoop::current().createTimer();
        m_clock->setInterval(1000);
        m_clock->setTick([this] { m_events->TimerTick(); });
        m_clock->setEnabled(true);
    }

    ZeltorTests::ITestGuideEvents* m_events = nullptr;
    std::shared_ptr<TestGuideWindowRecord> m_record;
    View m_view;
    std::function<void()> m_onUnload;
    bool m_shown = false;
    bool m_running = false;
    std::unique_ptr<events::Timer> m_clock;
};

// Makes the scripted window the one created by the test guide window's class name for the life of
// the object; the window the element opened last is at hand.
class ScriptedTestGuideWindows {
public:
    ScriptedTestGuideWindows()
    {
        auto& classes = com::ClassRegistry::instance();
        for (const com::ClassEntry& entry : classes.entries())
            if (entry.progId.compare(ZeltorTests::kTestGuideWindowProgId, Qt::CaseInsensitive) == 0)
                m_replaced = entry;
        classes.add({ZeltorTests::kTestGuideWindowProgId, {}, [this] {
                         m_record = std::make_shared<TestGuideWindowRecord>();
                         auto window
                             = std::make_shared<ScriptedTestGuideWindow>(m_record, [this] { m_current = nullptr; });
                         m_current = window.get();
                         return window;
                     }});
    }
    ~ScriptedTestGuideWindows()
    {
        auto& classes = com::ClassRegistry::instance();
        classes.remove(ZeltorTests::kTestGuideWindowProgId);
        if (m_replaced)
            classes.add(*m_replaced);
    }
    ScriptedTestGuideWindows(const ScriptedTestGuideWindows&) = delete;
    ScriptedTestGuideWindows& operator=(const ScriptedTestGuideWindows&) = delete;

    // The open window; none before the first one and after it was unloaded.
    ScriptedTestGuideWindow* current() const { return m_current; }
    // What the window opened last was asked to do.
    const TestGuideWindowRecord& record() const { return *m_record; }

private:
    ScriptedTestGuideWindow* m_current = nullptr;
    std::shared_ptr<TestGuideWindowRecord> m_record = std::make_shared<TestGuideWindowRecord>();
    std::optional<com::ClassEntry> m_replaced;
};
