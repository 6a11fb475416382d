#include "PlugInOnSimulatorFixture.h"

#include "HostPlugIn.h"
#include "TestGuideWatcher.h"
#include "TestRuns.h"
#include "testmodel/TestSequence.h"

#include "PlugIn.h"
#include "TestElement.h"

#include "com/Required.h"
#include "events/QtEventLoop.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class TestGuideWatcherTest : public PlugInOnSimulatorFixture {};

QWidget* shownTestGuideWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("FZeltorTestGuide") && widget->isVisible())
            return widget;
    return nullptr;
}

// What the operator does: presses a button of the shown test window's toolbar.
void pressButton(const char* key)
{
    if (const QWidget* window = shownTestGuideWindow())
        for (QAction* button : com::required(window->findChild<QToolBar*>()).actions())
            if (button->objectName() == QLatin1String(key))
                button->trigger();
}

// Runs `step` once, `delayMs` after it is made, for as long as the timer lives.
std::unique_ptr<QTimer> after(int delayMs, std::function<void()> step)
{
    auto timer = std::make_unique<QTimer>();
    timer->setSingleShot(true);
    QObject::connect(timer.get(), &QTimer::timeout, std::move(step));
    timer->start(delayMs);
    return timer;
}

// When the host does not operate the window, the watcher follows the run that the operator
// starts, however long the operator takes to press "play". Interrupted, it stops the run and
// leaves the window with "next", so that the test hands its result to the run; its picture shows
// the stopped window.
TEST_F(TestGuideWatcherTest, FollowsTheOperatorsRunAndAnInterruptionEndsIt)
{
    events::EventLoop::install(std::make_shared<events::QtEventLoop>());
    const QTemporaryDir out;
    const QString picture = out.filePath(QStringLiteral("test-guide.png"));
    const auto plugIn = startPlugIn();
    const auto element = createTest(*plugIn, 100);
    setTestDuration(*element, 0);
    const auto sequence = oneTestSequence(*element);
    TestGuideWatcher watcher(picture, false);

    const auto operatorPressesPlay = after(1000, [] { pressButton("play"); });
    bool runFollowed = false;
    QDateTime interrupted;
    const auto hostIsInterrupted = after(7000, [&] {
        runFollowed = watcher.RunStarted();
        interrupted = QDateTime::currentDateTime();
        watcher.interrupt();
    });
    // Should the watcher leave the window open, the operator ends the test without a result.
    const auto operatorStops = after(30'000, [] { pressButton("stop"); });
    const auto operatorAborts = after(31'000, [] { pressButton("abort"); });
    element->Perform(sequence);

    EXPECT_TRUE(runFollowed);
    EXPECT_EQ(sequence->ReadyElements().size(), 1u);
    EXPECT_TRUE(watcher.PictureTaken());
    EXPECT_GE(QFileInfo(picture).lastModified(), interrupted);
    EXPECT_TRUE(boxes->shown().empty()) << boxes->shown().front().text.toStdString();
}

} // namespace
