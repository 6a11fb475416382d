#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QAction;
class QWidget;

// Watches a test's window from the host's side while the test is performed, as an operator sees
// it: takes a picture of the window once a run has gone for a few seconds (or when it stops
// sooner) and, when asked to operate it, presses its "play" once it is shown and, once the run
// has stopped, its "next" ("abort" when the run left no result to go on with).
class TestGuideWatcher final : public QObject {
public:
    TestGuideWatcher(QString picturePath, bool operate);

    bool PictureTaken() const { return m_pictureTaken; }

private:
    enum class Stage { WaitingForWindow, Starting, Running, Done };

    void poll();
    // The run has stopped: the picture if there is none yet, then "next" or "abort".
    void finish(QWidget& window);
    void takePicture(QWidget& window);
    // Presses the button from the message pump, not from inside the poll: a test that runs inside
    // its start command keeps the poll going.
    void press(QAction* button);

    QString m_picturePath;
    bool m_operate;
    bool m_pictureTaken = false;
    Stage m_stage = Stage::WaitingForWindow;
    int m_pollsWhileStarting = 0;
    QElapsedTimer m_runClock;
    QTimer m_poll;
};
