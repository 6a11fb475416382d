#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class QAction;
class QWidget;

// Watches a test's window from the host's side while the test is performed, as an operator sees
// it: takes a picture of the window once the run has stopped (or the start failed) and, when asked
// to operate it, presses its "play" once it is shown and, once the run has stopped, its "next"
// ("abort" when the run left no result to go on with).
//
// With a full-screen plan it switches the window to its full-screen live view through the
// window's own command once the run goes; when it operates the window it also presses the
// view's snapshot button once, at the planned time, and takes a picture of the view a moment
// later. When the run has stopped it goes back to the normal window, whose picture it then takes.
//
// Interrupted, it ends the test as an operator would, whether it operates the window or not: a
// run that goes is stopped with "stop" and left with "next" as above; a test not yet started is
// left with "abort".
class TestGuideWatcher final : public QObject {
public:
    struct FullscreenPlan {
        QString picturePath;
        qint64 snapshotAfter = 10000; // milliseconds of the run
    };

    TestGuideWatcher(QString picturePath, bool operate, std::optional<FullscreenPlan> fullscreen = std::nullopt);

    // Ends the test as soon as its window allows it.
    void interrupt() { m_interrupted = true; }
    // "play" has been pressed.
    bool RunStarted() const { return m_stage != Stage::WaitingForWindow; }
    bool PictureTaken() const { return m_pictureTaken; }
    bool FullscreenPictureTaken() const { return m_fullscreenPictureTaken; }

private:
    enum class Stage { WaitingForWindow, Starting, Running, LeavingFullscreen, Done };

    void poll();
    // The run has stopped: the picture if there is none yet, then "next" or "abort".
    void finish(QWidget& window);
    void takePicture(QWidget& window);
    // Presses the button from the message pump, not from inside the poll: a test that runs inside
    // its start command keeps the poll going.
    void press(QAction* button);
    // Presses "stop" once, when it can be pressed.
    void stopRun(QWidget& window);
    // The full-screen steps of a poll while the run goes.
    void followFullscreenPlan(QWidget& window);
    void takeFullscreenPicture(QWidget& window);

    QString m_picturePath;
    bool m_operate;
    bool m_pictureTaken = false;
    bool m_interrupted = false;
    bool m_stopPressed = false;
    std::optional<FullscreenPlan> m_fullscreen;
    bool m_fullscreenEntered = false;
    bool m_snapshotPressed = false;
    bool m_fullscreenPictureTaken = false;
    QElapsedTimer m_sinceSnapshot;
    Stage m_stage = Stage::WaitingForWindow;
    int m_pollsWhileStarting = 0;
    QElapsedTimer m_runClock;
    QTimer m_poll;
};
