#include "TestGuideWatcher.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <QToolBar>
#include <QWidget>

namespace {

// The test window is known by its object name, its buttons by their keys.
const QString kTestGuideWindow = QStringLiteral("FZeltorTestGuide");
constexpr int kPollInterval = 200;       // milliseconds
constexpr qint64 kPictureAfter = 5000;   // milliseconds of the run

QWidget* shownTestWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == kTestGuideWindow && widget->isVisible())
            return widget;
    return nullptr;
}

QAction* buttonOf(const QWidget& window, const QString& key)
{
    for (const QToolBar* toolbar : window.findChildren<QToolBar*>())
        for (QAction* action : toolbar->actions())
            if (action->objectName() == key)
                return action;
    return nullptr;
}

bool enabled(const QWidget& window, const char* key)
{
    const QAction* button = buttonOf(window, QString::fromLatin1(key));
    return button && button->isEnabled() && button->isVisible();
}

} // namespace

TestGuideWatcher::TestGuideWatcher(QString picturePath, bool operate)
    : m_picturePath(std::move(picturePath)), m_operate(operate)
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
        if (!enabled(*window, "play"))
            return;
        if (m_operate)
            press(buttonOf(*window, QStringLiteral("play")));
        m_stage = Stage::Starting;
        return;
    case Stage::Starting:
        if (enabled(*window, "stop")) {
            m_runClock.start();
            m_stage = Stage::Running;
        } else if (++m_pollsWhileStarting > 2 && enabled(*window, "play")) {
            // The start failed: "play" is available again without a run having gone.
            finish(*window);
        }
        return;
    case Stage::Running:
        if (!m_pictureTaken && m_runClock.elapsed() >= kPictureAfter)
            takePicture(*window);
        if (!enabled(*window, "stop") && enabled(*window, "play"))
            finish(*window);
        return;
    case Stage::Done:
        return;
    }
}

void TestGuideWatcher::finish(QWidget& window)
{
    if (!m_pictureTaken)
        takePicture(window);
    if (m_operate)
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
