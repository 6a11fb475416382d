#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class QAction;
class QWidget;

// Watches a test's window from the host's side while the test is performed, as an operator sees
// it: follows each run the operator starts and takes a picture of the window once it has stopped.
// Asked to operate the window, it presses its "play" once it is shown and, once the run has
// stopped (or its start failed), takes the picture and presses "next" ("abort" when the run left
// no result to go on with).
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
        qint64 snapshotAfter = 8000; // milliseconds of the run
    };

    TestGuideWatcher(QString picturePath, bool operate, std::optional<FullscreenPlan> fullscreen = std::nullopt);

    // Ends the test as soon as its window allows it.
    void interrupt() { m_interrupted = true; }
    // "play" has been pressed by the watcher, or a run has gone.
    bool RunStarted() const { return m_stage != Stage::WaitingForWindow; }
    bool PictureTaken() const { return m_pictureTaken; }
    bool FullscreenPictureTaken() const { return m_fullscreenPictureTaken; }

private:
    // Starting: "play" pressed by the watcher, the run not yet going. Stopped: the run has stopped
    // and the operator has yet to leave the window.
    enum class Stage { WaitingForWindow, Starting, Running, LeavingFullscreen, Stopped, Done };

    void poll();
    void followRun();
    // The run has stopped: its picture, then "next" or "abort" when the watcher operates the
    // window or was interrupted.
    void finish(QWidget& window);
    // Presses "next", or "abort" when the run left no result to go on with.
    void leave(QWidget& window);
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
