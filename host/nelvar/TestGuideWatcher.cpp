#include "TestGuideWatcher.h"

#include <QAction>
#include <QMenu>
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QToolBar>
#include <QWidget>

namespace {

// The test window is known by its object name, its buttons by their keys.
const QString kTestGuideWindow = QStringLiteral("FZeltorTestGuide");
constexpr int kPollInterval = 200;       // milliseconds
constexpr qint64 kViewSettles = 1000;    // milliseconds from the snapshot to the view's picture
const QString kFullscreenCommand = QStringLiteral("fullscreen");
const QString kSnapshotButton = QStringLiteral("cmdSnapshot0");
const QString kExitButton = QStringLiteral("cmdExit");

QWidget* shownTestWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == kTestGuideWindow && widget->isVisible())
            return widget;
    return nullptr;
}

// A button of the window's toolbar, or an entry of one of its drop-down menus, by its key.
QAction* buttonOf(const QWidget& window, const QString& key)
{
    for (const QToolBar* toolbar : window.findChildren<QToolBar*>())
        for (QAction* action : toolbar->actions()) {
            if (action->objectName() == key)
                return action;
            if (const QMenu* menu = action->menu())
                for (QAction* entry : menu->actions())
                    if (entry->objectName() == key)
                        return entry;
        }
    return nullptr;
}

bool enabled(const QWidget& window, const char* key)
{
    const QAction* button = buttonOf(window, QString::fromLatin1(key));
    return button && button->isEnabled() && button->isVisible();
}

// A button of the full-screen view that can be pressed now, or none.
QPushButton* shownButton(const QWidget& window, const QString& name)
{
    auto* button = window.findChild<QPushButton*>(name);
    return button && button->isVisible() && button->isEnabled() ? button : nullptr;
}

} // namespace

TestGuideWatcher::TestGuideWatcher(QString picturePath, bool operate, std::optional<FullscreenPlan> fullscreen)
    : m_picturePath(std::move(picturePath)), m_operate(operate), m_fullscreen(std::move(fullscreen))
{
    m_poll.setInterval(kPollInterval);
    connect(&m_poll, &QTimer::timeout, this, [this] { poll(); });
    m_poll.start();
}

void TestGuideWatcher::poll()
{
    QWidget* window = shownTestWindow();
    if (!window)
        return;
    switch (m_stage) {
    case Stage::WaitingForWindow:
        if (enabled(*window, "stop")) {
            followRun(); // the operator started it
            return;
        }
        if (!enabled(*window, "play"))
            return;
        if (m_interrupted) {
            finish(*window);
        } else if (m_operate) {
            press(buttonOf(*window, QStringLiteral("play")));
            m_stage = Stage::Starting;
        }
        return;
    case Stage::Starting:
        if (enabled(*window, "stop"))
            followRun();
        else if (++m_pollsWhileStarting > 2 && enabled(*window, "play"))
            finish(*window); // the start failed: "play" is available again without a run having gone
        return;
    case Stage::Running:
        if (m_interrupted)
            stopRun(*window);
        else if (m_fullscreen)
            followFullscreenPlan(*window);
        if (!enabled(*window, "stop") && enabled(*window, "play"))
            finish(*window);
        return;
    case Stage::LeavingFullscreen:
        // Back in the normal window once the view is hidden.
        if (!shownButton(*window, kExitButton))
            finish(*window);
        return;
    case Stage::Stopped:
        if (m_interrupted)
            leave(*window);
        else if (enabled(*window, "stop"))
            followRun(); // the operator started another run
        return;
    case Stage::Done:
        return;
    }
}

void TestGuideWatcher::followRun()
{
    m_runClock.start();
    m_stage = Stage::Running;
}

void TestGuideWatcher::stopRun(QWidget& window)
{
    if (m_stopPressed || !enabled(window, "stop"))
        return;
    m_stopPressed = true;
    press(buttonOf(window, QStringLiteral("stop")));
}

void TestGuideWatcher::followFullscreenPlan(QWidget& window)
{
    if (!m_fullscreenEntered) {
        m_fullscreenEntered = true;
        press(buttonOf(window, kFullscreenCommand));
        return;
    }
    if (!m_operate)
        return;
    if (!m_snapshotPressed && m_runClock.elapsed() >= m_fullscreen->snapshotAfter) {
        if (QPushButton* snapshot = shownButton(window, kSnapshotButton)) {
            m_snapshotPressed = true;
            m_sinceSnapshot.start();
            QTimer::singleShot(0, snapshot, [snapshot] { snapshot->click(); });
        }
    }
    if (m_snapshotPressed && !m_fullscreenPictureTaken && m_sinceSnapshot.elapsed() >= kViewSettles)
        takeFullscreenPicture(window);
}

void TestGuideWatcher::takeFullscreenPicture(QWidget& window)
{
    m_fullscreenPictureTaken = window.grab().save(m_fullscreen->picturePath);
}

void TestGuideWatcher::finish(QWidget& window)
{
    if (m_fullscreen && m_stage != Stage::LeavingFullscreen) {
        if (QPushButton* exit = shownButton(window, kExitButton)) {
            if (!m_fullscreenPictureTaken)
                takeFullscreenPicture(window);
            m_stage = Stage::LeavingFullscreen;
            QTimer::singleShot(0, exit, [exit] { exit->click(); });
            return;
        }
    }
    takePicture(window);
    if (m_operate || m_interrupted)
        leave(window);
    else
        m_stage = Stage::Stopped;
}

void TestGuideWatcher::leave(QWidget& window)
{
    press(buttonOf(window, QString::fromLatin1(enabled(window, "next") ? "next" : "abort")));
    m_stage = Stage::Done;
}

void TestGuideWatcher::takePicture(QWidget& window)
{
    m_pictureTaken = window.grab().save(m_picturePath);
}

void TestGuideWatcher::press(QAction* button)
{
    if (button)
        QTimer::singleShot(0, button, [button] { button->trigger(); });
}
