#include "elements/CConfigVentilator.h"
#include "data/CMeasurement.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CResultVentilator.h"
#include "data/CTrendCollection.h"
#include "elements/CTestVentilator.h"
#include "elements/CTestZeltor.h"
#include "elements/CZeltorLimitData.h"
#include "ui/FZeltorTestGuide.h"
#include "IZeltorConfiguration.h"

#include "HostFixture.h"

#include "testmodel/TestGuideConfig.h"
#include "testmodel/TestSequence.h"

#include "GMTI.h"
#include "GMiscConverters.h"
#include "SimulatorPort.h"

#include "HostServices.h"
#include "Standards.h"
#include "TestGuideHost.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Error.h"
#include "serial/PortFinder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <initializer_list>
#include <limits>

using namespace ZeltorTests;

namespace {

// The element's side of the window: the events it was raised, in order.
class RecordingEvents final : public ITestGuideEvents {
public:
    void StartTest() override { raised << QStringLiteral("StartTest"); }
    void StopTest() override { raised << QStringLiteral("StopTest"); }
    void AbortTest() override { raised << QStringLiteral("AbortTest"); }
    void NA() override { raised << QStringLiteral("NA"); }
    void NextTest() override { raised << QStringLiteral("NextTest"); }
    void Previous() override { raised << QStringLiteral("Previous"); }
    void ResetCalculations() override { raised << QStringLiteral("ResetCalculations"); }
    void Skip() override { raised << QStringLiteral("Skip"); }
    void TimerTick() override { raised << QStringLiteral("TimerTick"); }

    QStringList raised;
};

// Message boxes that cannot be shown.
class FailingMessageBoxes final : public events::MessageBoxes {
public:
    events::MessageAnswer show(const QString&, int32_t, const QString&) override
    {
        throw com::Error::invalidCall(QStringLiteral("FailingMessageBoxes"));
    }
};

} // namespace

// The test guide window of a ventilator test with its default configuration and a result of a
// chosen status, on the stand-in host's controls.
class TestGuideWindowTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        ZeltorVTI::GMTI.ResetVTI();
        element = CTestVentilator::create();
        configuration()->LoadDefaultSettings();
        sequence = std::make_shared<host::TestSequence>();
    }

    void TearDown() override
    {
        window.reset();
        ZeltorVTI::GMTI.ResetVTI();
        serial::unregisterVirtualPort(QStringLiteral("sim"));
        serial::setConfiguredPort(QString());
        HostFixture::TearDown();
    }

    std::shared_ptr<CConfigVentilator> configuration() const
    {
        return std::dynamic_pointer_cast<CConfigVentilator>(element->Configuration());
    }
    std::shared_ptr<CResultVentilator> result() const
    {
        return std::dynamic_pointer_cast<CResultVentilator>(element->Result());
    }
    void setTestGuideFlags(int32_t flags) const
    {
        std::dynamic_pointer_cast<host::TestGuideConfig>(configuration()->TestGuideConfig())->setFlags(flags);
    }

    // The element takes a result record of that status, as when it was run before.
    void giveResult(int32_t status) const
    {
        auto record = std::make_shared<CResultVentilator>();
        record->InitializeResult(configuration(), std::dynamic_pointer_cast<CZeltorLimitData>(element->Limits()));
        auto& breathRate = *std::dynamic_pointer_cast<CMeasurement>(record->Measurement(QStringLiteral("BRRA")));
        breathRate.AddSample(12.0f);
        breathRate.AddSample(16.0f);
        record->SetStatus(status);
        const auto document = Nelvar::xmlService().CreateDocument();
        element->Load(record->Save(document), nullptr);
    }

    // A window raising its events to `events`, bound to the element.
    FZeltorTestGuide& openWindow(int32_t resultStatus = 0)
    {
        giveResult(resultStatus);
        window = std::make_unique<FZeltorTestGuide>();
        window->setEventHandler(&events);
        window->Initialize(element, sequence);
        return *window;
    }

    TestGuideToolbar& toolbar() const { return *window->findChild<TestGuideToolbar*>(QStringLiteral("tbrPerform")); }
    bool enabled(const char* key) const { return toolbar().commandEnabled(QString::fromLatin1(key)); }
    // Those of the commands that are enabled on the window's toolbar, in the order given.
    static QStringList enabledCommands(const QWidget& window, std::initializer_list<const char*> keys)
    {
        QStringList states;
        for (const char* key : keys)
            if (window.findChild<TestGuideToolbar*>()->commandEnabled(QString::fromLatin1(key)))
                states << QString::fromLatin1(key);
        return states;
    }
    // A click on a toolbar button; a tools-menu entry is chosen from its menu.
    void click(const char* key) const
    {
        QAction* action = toolbar().command(QString::fromLatin1(key));
        if (QWidget* button = toolbar().widgetForAction(action))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            action->trigger();
    }
    QString panelText(const char* label) const
    {
        return window->findChild<XMinMaxAvg*>()->findChild<QLabel*>(QString::fromLatin1(label))->text();
    }
    Nelvar::XTestGuideStatusBar& statusBar() const
    {
        return *window->findChild<Nelvar::XTestGuideStatusBar*>();
    }
    QTreeWidget& resultTable() const { return *window->findChild<QTreeWidget*>(QStringLiteral("lvwResult")); }

    std::shared_ptr<CTestVentilator> element;
    std::shared_ptr<host::TestSequence> sequence;
    RecordingEvents events;
    std::unique_ptr<FZeltorTestGuide> window;
};

// Every command key, while a run goes and while none does, with the host's and the operator's
// answers: the events it raises.
TEST_F(TestGuideWindowTest, CommandDispatchTable)
{
    struct Case {
        const char* command;
        bool running;
        std::vector<events::MessageAnswer> answers;
        QStringList raised;
    };
    const QStringList none;
    const Case cases[] = {
        {"play", false, {}, {"StartTest"}},
        {"play", true, {}, none},
        {"stop", true, {}, {"StopTest"}},
        {"stop", false, {}, none},
        {"abort", true, {events::mbrYes}, {"AbortTest"}},
        {"abort", true, {events::mbrNo}, none},
        {"abort", false, {events::mbrYes}, {"AbortTest"}},
        {"prev", false, {}, {"Previous"}},
        {"next", false, {}, {"NextTest"}},
        {"na", false, {}, {"NA"}},
        {"skip", false, {}, {"Skip"}},
        {"reset", true, {}, {"ResetCalculations"}},
        {"fullscreen", true, {}, none},
        {"tools", false, {}, none},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.command) + (test.running ? " running" : " idle"));
        openWindow(CResultVentilator::ersPass);
        setTestGuideFlags(0);
        events.raised.clear();
        boxes->clear();
        for (const auto answer : test.answers)
            boxes->answerNext(answer);
        if (test.running)
            window->setRunning(true);
        window->setToolbarButtonEnabled(QString::fromLatin1(test.command), true);
        click(test.command);
        EXPECT_EQ(events.raised, test.raised);
        EXPECT_EQ(boxes->shown().size(), test.answers.size());
        // Only the full-screen command leaves the normal window.
        const bool fullscreen = QLatin1String(test.command) == QLatin1String("fullscreen");
        EXPECT_EQ(window->DisplayMode(), fullscreen ? ITestGuideWindow::edmFullscreen : ITestGuideWindow::edmNormal);
    }
}

TEST_F(TestGuideWindowTest, PlayStartsFromTheReadyStateOnly)
{
    openWindow();
    EXPECT_FALSE(enabled("stop"));
    EXPECT_FALSE(enabled("fullscreen"));
    statusBar().setStatus(2);
    click("play");
    EXPECT_EQ(events.raised, QStringList{"StartTest"});
    EXPECT_FALSE(enabled("play"));
    EXPECT_TRUE(enabled("fullscreen"));
    EXPECT_TRUE(enabled("reset"));
    EXPECT_FALSE(enabled("prev"));
    EXPECT_EQ(statusBar().Status(), 0);

    // The start waits for the instrument: a second "play" (F9 too) starts nothing.
    window->PerformAction(QStringLiteral("play"));
    QTest::keyClick(window.get(), Qt::Key_F9);
    EXPECT_EQ(events.raised, QStringList{"StartTest"});
}

// Abort confirmed stops the clock before the element hears of it; declined, the clock goes on.
TEST_F(TestGuideWindowTest, AbortDeclinedKeepsTheClockRunning)
{
    openWindow();
    window->setRunning(true);
    boxes->answerNext(events::mbrNo);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    loop->advance(2500);
    EXPECT_EQ(events.raised, (QStringList{"TimerTick", "TimerTick"}));
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].style, events::mbYesNo | events::mbQuestion);

    boxes->answerNext(events::mbrYes);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    loop->advance(3000);
    EXPECT_EQ(events.raised, (QStringList{"TimerTick", "TimerTick", "AbortTest"}));
}

TEST_F(TestGuideWindowTest, NotApplicableAndSkipAskFirstWhenTheResultHoldsTrends)
{
    setTestGuideFlags(3);
    configuration()->TrendSettings()->setActive(true);
    configuration()->TrendSettings()->setInterval(10);
    openWindow(CResultVentilator::ersPass);
    result()->InitializeResult(configuration(), std::dynamic_pointer_cast<CZeltorLimitData>(element->Limits()));
    ASSERT_EQ(result()->Trends()->Count(), 1);

    boxes->answerNext(events::mbrNo);
    click("na");
    EXPECT_TRUE(events.raised.isEmpty());
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Your results structure contains snapshot and/or trend data.\r\nIf "
                                                     "you choose to proceed, this data will be lost.\r\n\r\nAre you sure?"));
    EXPECT_EQ(boxes->shown()[0].style, events::mbYesNo | events::mbExclamation);
    EXPECT_EQ(boxes->shown()[0].title, QStringLiteral("Please confirm"));
    boxes->answerNext(events::mbrYes);
    click("skip");
    EXPECT_EQ(events.raised, QStringList{"Skip"});

    // A question that cannot be asked keeps the data.
    events::MessageBoxes::install(std::make_shared<FailingMessageBoxes>());
    click("skip");
    EXPECT_EQ(events.raised, QStringList{"Skip"});
    events::MessageBoxes::install(boxes);

    // No trends and no snapshots: no question.
    configuration()->TrendSettings()->setActive(false);
    result()->InitializeResult(configuration(), std::dynamic_pointer_cast<CZeltorLimitData>(element->Limits()));
    boxes->clear();
    click("na");
    EXPECT_EQ(events.raised, (QStringList{"Skip", "NA"}));
    EXPECT_TRUE(boxes->shown().empty());
}

// The shortcuts of the normal view, each with the state that decides it. Keys go to a control of
// the window: the window sees them first.
TEST_F(TestGuideWindowTest, KeyboardMapOfTheNormalView)
{
    enum Setup { Idle, Running, StartPending };
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        int32_t status;
        int32_t flags;
        Setup setup;
        QStringList raised;
    };
    const QStringList none;
    const auto ctrl = Qt::ControlModifier;
    const Case cases[] = {
        {"Ctrl+N after a run", Qt::Key_N, ctrl, 1, 3, Idle, {"NextTest"}},
        {"Ctrl+N on a fresh result", Qt::Key_N, ctrl, 0, 3, Idle, none},
        {"Ctrl+B", Qt::Key_B, ctrl, 0, 0, Idle, {"Previous"}},
        {"Ctrl+B while running", Qt::Key_B, ctrl, 0, 0, StartPending, none},
        {"Ctrl+K allowed", Qt::Key_K, ctrl, 0, 1, Idle, {"Skip"}},
        {"Ctrl+K not allowed", Qt::Key_K, ctrl, 0, 2, Idle, none},
        {"Ctrl+A allowed", Qt::Key_A, ctrl, 0, 2, Idle, {"NA"}},
        {"Ctrl+A not allowed", Qt::Key_A, ctrl, 0, 1, Idle, none},
        {"Ctrl+E running", Qt::Key_E, ctrl, 0, 0, Running, {"StopTest"}},
        {"Ctrl+E idle", Qt::Key_E, ctrl, 0, 0, Idle, none},
        {"F9 on a fresh result", Qt::Key_F9, {}, 0, 0, Idle, {"StartTest"}},
        {"F9 after a run", Qt::Key_F9, {}, 2, 0, Idle, {"NextTest"}},
        {"F9 running", Qt::Key_F9, {}, 0, 0, Running, {"StopTest"}},
        {"F9 while the start waits", Qt::Key_F9, {}, 0, 0, StartPending, none},
        {"Esc", Qt::Key_Escape, {}, 0, 0, Idle, {"AbortTest"}},
        {"Enter", Qt::Key_Return, {}, 0, 0, Idle, none},
        {"N without Ctrl", Qt::Key_N, {}, 1, 3, Idle, none},
        // Only the exact combinations are shortcuts.
        {"Ctrl+Shift+N", Qt::Key_N, ctrl | Qt::ShiftModifier, 1, 3, Idle, none},
        {"Ctrl+Alt+B", Qt::Key_B, ctrl | Qt::AltModifier, 0, 0, Idle, none},
        {"Shift+F9", Qt::Key_F9, Qt::ShiftModifier, 0, 0, Idle, none},
        {"Ctrl+Esc", Qt::Key_Escape, ctrl, 0, 0, Idle, none},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        setTestGuideFlags(test.flags);
        openWindow(test.status);
        if (test.setup == Running)
            window->setRunning(true);
        if (test.setup == StartPending) {
            window->PerformAction(QStringLiteral("play"));
            events.raised.clear();
        }
        events.raised.clear();
        QTest::keyClick(resultTable().viewport(), static_cast<Qt::Key>(test.key), test.modifiers);
        events.raised.removeAll(QStringLiteral("TimerTick"));
        EXPECT_EQ(events.raised, test.raised);
    }
}

// Until the window is in its normal display mode (it enters it at the end of Initialize) no key
// is a shortcut.
TEST_F(TestGuideWindowTest, KeysAreIgnoredOutsideTheNormalView)
{
    giveResult(0);
    window = std::make_unique<FZeltorTestGuide>();
    window->setEventHandler(&events);
    EXPECT_EQ(window->DisplayMode(), 0);
    for (const Qt::Key key : {Qt::Key_F9, Qt::Key_Escape})
        QTest::keyClick(window.get(), key);
    QTest::keyClick(window.get(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(events.raised.isEmpty());
    EXPECT_TRUE(boxes->shown().empty());
}

TEST_F(TestGuideWindowTest, TheClockTicksEverySecondWhileTheTestRuns)
{
    openWindow();
    loop->advance(3000);
    EXPECT_TRUE(events.raised.isEmpty());
    window->setRunning(true);
    loop->advance(3500);
    EXPECT_EQ(events.raised.count(QStringLiteral("TimerTick")), 3);
    window->setRunning(false); // clears the flag only: the clock goes on
    loop->advance(1000);
    EXPECT_EQ(events.raised.count(QStringLiteral("TimerTick")), 4);
    window->SetStoppedState();
    loop->advance(3000);
    EXPECT_EQ(events.raised.count(QStringLiteral("TimerTick")), 4);
}

TEST_F(TestGuideWindowTest, ElapsedAndRemainingTimeStopAtTheDuration)
{
    configuration()->setDuration(1);
    openWindow();
    EXPECT_EQ(panelText("lblTimeRemainingValue"), QStringLiteral("00:01:00"));
    window->UpdateElapsedTime(5);
    EXPECT_EQ(panelText("lblTimeElapsedValue"), QStringLiteral("00:00:05"));
    EXPECT_EQ(panelText("lblTimeRemainingValue"), QStringLiteral("00:00:55"));
    window->UpdateElapsedTime(60);
    EXPECT_EQ(panelText("lblTimeRemainingValue"), QStringLiteral("00:00:00"));
    window->UpdateElapsedTime(61);
    EXPECT_EQ(panelText("lblTimeElapsedValue"), QStringLiteral("00:01:00"));

    // An indefinite test writes no times.
    configuration()->setDuration(0);
    openWindow();
    window->UpdateElapsedTime(5);
    EXPECT_EQ(panelText("lblTimeElapsedValue"), QStringLiteral("00:00:00"));

    // A registry duration beyond the longest a seconds count holds counts down from the longest:
    // 2 147 483 635 seconds remain, shown with two digits of hours.
    setSetting(QStringLiteral("Duration"), std::numeric_limits<int32_t>::max());
    configuration()->LoadDefaultSettings();
    openWindow();
    window->UpdateElapsedTime(5);
    EXPECT_EQ(panelText("lblTimeElapsedValue"), QStringLiteral("00:00:05"));
    EXPECT_EQ(panelText("lblTimeRemainingValue"), QStringLiteral("03:13:55"));
}

TEST_F(TestGuideWindowTest, AResultOfAnEarlierRunIsShownAndNextIsOffered)
{
    openWindow(CResultVentilator::ersFail);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ventilator test - Nelvar"));
    EXPECT_TRUE(enabled("next"));
    EXPECT_TRUE(enabled("fullscreen"));
    EXPECT_EQ(statusBar().Status(), CResultVentilator::ersFail);
    const QStringList texts =
        std::dynamic_pointer_cast<CMeasurement>(result()->Measurement(QStringLiteral("BRRA")))->FormattedValues();
    EXPECT_EQ(resultTable().topLevelItem(0)->text(1), texts[0]);
    // The first row is selected: the panel shows its statistics.
    EXPECT_EQ(panelText("lblTitle"), result()->Measurement(QStringLiteral("BRRA"))->Description());
    EXPECT_EQ(panelText("lblMaxValue"), texts[2]);
}

TEST_F(TestGuideWindowTest, SelectingARowShowsItsStatisticsAndUpdatesFollowIt)
{
    openWindow(CResultVentilator::ersPass);
    window->show();
    QTreeWidgetItem* tidalVolume = resultTable().findItems(
        result()->Measurement(QStringLiteral("TIVO"))->Description(), Qt::MatchExactly)[0];
    QTest::mouseClick(resultTable().viewport(), Qt::LeftButton, {}, resultTable().visualItemRect(tidalVolume).center());
    EXPECT_EQ(panelText("lblTitle"), result()->Measurement(QStringLiteral("TIVO"))->Description());

    auto& measurement = *std::dynamic_pointer_cast<CMeasurement>(result()->Measurement(QStringLiteral("TIVO")));
    measurement.AddSample(0.5f);
    measurement.AddSample(0.7f);
    window->UpdateResults(result());
    EXPECT_EQ(panelText("lblMaxValue"), measurement.FormattedValues()[2]);
    EXPECT_EQ(tidalVolume->text(1), measurement.FormattedValues()[0]);
}

TEST_F(TestGuideWindowTest, StatusBarShowsTheCommentFlagAndTheShownStandard)
{
    const auto limits = std::dynamic_pointer_cast<CZeltorLimitData>(element->Limits());
    const auto standard = limits->CreateStandard(QStringLiteral("ISO"), QStringLiteral("ISO 80601"));
    const auto context = com::ClassRegistry::instance().createAs<Nelvar::IStandards>(
        QString::fromLatin1(Nelvar::kStandardsProgId));
    context->Add(standard);
    sequence->setLimitContext(context);
    openWindow();
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("standard"))->text(), QStringLiteral("ISO 80601 (ISO)"));
    EXPECT_FALSE(statusBar().CommentFlag());

    // The operator writes a comment in the wizard.
    QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("comment")), QStringLiteral("Leaky tube"));
    EXPECT_EQ(result()->Comment(), QStringLiteral("Leaky tube"));
    EXPECT_TRUE(statusBar().CommentFlag());
}

// The window the library installs, opened by the element's Perform: a whole run cycle against the
// simulated instrument, driven by the operator's keys, with the permissions of each stage.
// Navigation over a run that ends without a status: what the test-guide flags allow comes back
// when the run stops, "next" does not; and shortcuts follow the buttons.
TEST_F(TestGuideWindowTest, NavigationComesBackAsTheFlagsAllowWhenTheRunStops)
{
    const struct {
        int32_t flags;
        QStringList afterStop;
        QStringList shortcutsAfterStop;
    } cases[] = {
        {3, {"play", "prev", "na", "skip"}, {"NA", "Skip"}},
        {0, {"play", "prev"}, {}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.flags);
        setTestGuideFlags(test.flags);
        openWindow();
        const auto navigation = [&] { return enabledCommands(*window, {"play", "prev", "next", "na", "skip"}); };
        click("play");
        window->setRunning(true);
        EXPECT_TRUE(navigation().isEmpty());
        window->setRunning(false);
        window->SetStoppedState();
        EXPECT_EQ(navigation(), test.afterStop);
        events.raised.clear();
        QTest::keyClick(resultTable().viewport(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(resultTable().viewport(), Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(resultTable().viewport(), Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(events.raised, test.shortcutsAfterStop);
    }
}

TEST_F(TestGuideWindowTest, ARunCycleAgainstTheSimulatedInstrument)
{
    simulator::registerSimulatorPort({});
    serial::setConfiguredPort(QStringLiteral("sim"));
    com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
    configuration()->setDuration(1);
    setTestGuideFlags(0);

    QPointer<FZeltorTestGuide> shown;
    const auto commands = [&] {
        return enabledCommands(*shown, {"play", "stop", "prev", "next", "na", "skip", "reset", "fullscreen"});
    };
    const auto turning = [&] {
        return shown->findChild<Nelvar::XProgressSphere*>()->Turning();
    };
    const auto label = [&](const char* name) { return shown->findChild<QLabel*>(QString::fromLatin1(name))->text(); };

    QStringList ready;
    QStringList running;
    QStringList stopped;
    QString elapsedWhileRunning;
    QString remainingWhileRunning;
    int32_t secondsWhileRunning = -1;
    loop->at(100, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String("FZeltorTestGuide") && widget->isVisible())
                shown = static_cast<FZeltorTestGuide*>(widget);
        ASSERT_FALSE(shown.isNull());
        ready = commands();
        QTest::keyClick(shown, Qt::Key_F9);
    });
    loop->at(9500, [&] {
        running = commands();
        EXPECT_TRUE(shown->Running());
        EXPECT_TRUE(turning());
        secondsWhileRunning = element->ElapsedTime();
        elapsedWhileRunning = label("lblTimeElapsedValue");
        remainingWhileRunning = label("lblTimeRemainingValue");
        QTest::keyClick(shown, Qt::Key_E, Qt::ControlModifier);
        stopped = commands();
        EXPECT_FALSE(shown->Running());
        EXPECT_FALSE(turning());
    });
    loop->at(12'000, [&] {
        // The clock stopped with the run.
        EXPECT_EQ(element->ElapsedTime(), secondsWhileRunning);
        EXPECT_EQ(label("lblTimeElapsedValue"), elapsedWhileRunning);
        QTest::keyClick(shown, Qt::Key_F9);
    });
    element->Perform(sequence);

    EXPECT_EQ(ready, (QStringList{"play", "prev"}));
    EXPECT_EQ(running, (QStringList{"stop", "reset", "fullscreen"}));
    EXPECT_EQ(stopped, (QStringList{"play", "prev", "next", "fullscreen"}));
    EXPECT_GE(secondsWhileRunning, 8);
    EXPECT_EQ(elapsedWhileRunning, ZeltorConverter::GMiscConverters::SecondsToTimeString(secondsWhileRunning));
    EXPECT_EQ(remainingWhileRunning, ZeltorConverter::GMiscConverters::SecondsToTimeString(60 - secondsWhileRunning));
    EXPECT_EQ(result()->Status(), CResultVentilator::ersPass);
    EXPECT_EQ(sequence->Navigations(), std::vector<Nelvar::ENavigation>{Nelvar::enavNext});
    EXPECT_EQ(sequence->ReadyElements().size(), 1u);
    EXPECT_TRUE(shown.isNull()); // unloaded
}

// A single-reading test (the flow test) in the window: its reading is listed without statistics,
// and the ventilator test's tools and panel are not shown.
TEST_F(TestGuideWindowTest, ASingleReadingTestListsItsReadingOnly)
{
    com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
    const auto flowTest = CTestZeltor::create();
    flowTest->Initialize(QStringLiteral("Zeltor"), 300, 300);
    std::dynamic_pointer_cast<IZeltorConfiguration>(flowTest->Configuration())->LoadDefaultSettings();
    loop->at(100, [&] {
        FZeltorTestGuide* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String("FZeltorTestGuide") && widget->isVisible())
                shown = static_cast<FZeltorTestGuide*>(widget);
        ASSERT_NE(shown, nullptr);
        const auto& table = *shown->findChild<QTreeWidget*>(QStringLiteral("lvwResult"));
        ASSERT_EQ(table.topLevelItemCount(), 1);
        EXPECT_EQ(table.topLevelItem(0)->data(0, Qt::UserRole).toString(), QStringLiteral("ACFL"));
        EXPECT_EQ(table.columnCount(), 5);
        EXPECT_FALSE(shown->findChild<TestGuideToolbar*>()->command(QStringLiteral("tools"))->isVisible());
        EXPECT_TRUE(shown->findChild<XMinMaxAvg*>()->isHidden());
        QTest::keyClick(shown, Qt::Key_Escape); // abort, confirmed
    });
    flowTest->Perform(sequence);
    EXPECT_EQ(sequence->Navigations(), std::vector<Nelvar::ENavigation>{Nelvar::enavAbort});
}
