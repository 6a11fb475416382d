#pragma once

#include <QAction>
#include <QMenu>
#include <QString>
#include <QStyle>
#include <QToolBar>

#include <functional>
#include <vector>

namespace ZeltorTests {

// The command buttons of the test guide window, each known by its key: "abort", "prev", "next",
// "play", "stop", "na", "skip", the separator "seperator" and the drop-down "tools" with the
// entries "fullscreen" and "reset". A click on a button or entry passes its key to the command
// handler. "na" and "skip" carry a permission mark of their own.
class TestGuideToolbar final : public QToolBar {
    Q_OBJECT

public:
    explicit TestGuideToolbar(QWidget* parent = nullptr);
    ~TestGuideToolbar() override;

    void setCommandHandler(std::function<void(const QString& key)> handler) { m_handler = std::move(handler); }

    // The button or tools entry of that key; none for an unknown key.
    QAction* command(const QString& key) const;
    // False for an unknown key.
    bool commandEnabled(const QString& key) const;
    // An unknown key changes nothing.
    void setCommandEnabled(const QString& key, bool enabled);
    void setCommandVisible(const QString& key, bool visible);

    // The permission mark of "na" and "skip" (false until one is set).
    bool permission(const QString& key) const;
    void setPermission(const QString& key, bool allowed);

private:
    QAction& addCommand(QAction& action, const char* key, const char* toolTip, QStyle::StandardPixmap icon);
    void dispatch(const QString& key);

    std::function<void(const QString&)> m_handler;
    QAction m_abort;
    QAction m_prev;
    QAction m_next;
    QAction m_play;
    QAction m_stop;
    QAction m_na;
    QAction m_skip;
    QAction m_seperator;
    QMenu m_toolsMenu;
    QAction m_tools;
    QAction m_fullscreen;
    QAction m_reset;
    std::vector<QAction*> m_commands;
};

} // namespace ZeltorTests
