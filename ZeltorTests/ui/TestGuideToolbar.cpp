#include "ui/TestGuideToolbar.h"

#include "com/Failure.h"

#include <QStyle>
#include <QToolButton>

namespace ZeltorTests {

namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

} // namespace

TestGuideToolbar::TestGuideToolbar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("tbrPerform"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));

    addCommand(m_abort, "abort", "210::Abort test (Esc).", QStyle::SP_DialogCancelButton);
    addCommand(m_prev, "prev", "211::Go to previous test (Ctrl+B).", QStyle::SP_ArrowBack);
    addCommand(m_next, "next", "212::Go to next test (Ctrl+N).", QStyle::SP_ArrowForward);
    addCommand(m_play, "play", "213::Start test (Enter).", QStyle::SP_MediaPlay);
    addCommand(m_stop, "stop", "214::Stop test (Ctrl+E).", QStyle::SP_MediaStop);
    addCommand(m_na, "na", "215::Flag test as not applicable (Ctrl+A).", QStyle::SP_DialogNoButton);
    addCommand(m_skip, "skip", "216::Skip this test and go to next (Ctrl+K).", QStyle::SP_MediaSkipForward);
    m_stop.setEnabled(false);

    m_seperator.setObjectName(QStringLiteral("seperator"));
    m_seperator.setSeparator(true);
    m_seperator.setVisible(false);
    addAction(&m_seperator);
    m_commands.push_back(&m_seperator);

    m_fullscreen.setObjectName(QStringLiteral("fullscreen"));
    m_fullscreen.setText(QStringLiteral("20242::Go to waveform/trend display"));
    m_fullscreen.setIcon(style()->standardIcon(QStyle::SP_TitleBarMaxButton));
    m_reset.setObjectName(QStringLiteral("reset"));
    m_reset.setText(QStringLiteral("20243::Reset calculations"));
    m_reset.setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    // Like "stop", a command of a running test: enabled by "play", disabled when the run stops.
    m_reset.setEnabled(false);
    for (QAction* entry : {&m_fullscreen, &m_reset}) {
        m_toolsMenu.addAction(entry);
        m_commands.push_back(entry);
        connect(entry, &QAction::triggered, this, [this, entry] { dispatch(entry->objectName()); });
    }
    m_tools.setMenu(&m_toolsMenu);
    addCommand(m_tools, "tools", "217::Additional features.", QStyle::SP_FileDialogDetailedView);
    // A drop-down button: the button itself is a command of its own, its arrow opens the entries.
    if (auto* toolsButton = qobject_cast<QToolButton*>(widgetForAction(&m_tools)))
        toolsButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_tools.setVisible(false);
}

TestGuideToolbar::~TestGuideToolbar() = default;

QAction& TestGuideToolbar::addCommand(QAction& action, const char* key, const char* toolTip,
                                      QStyle::StandardPixmap icon)
{
    action.setObjectName(QString::fromLatin1(key));
    action.setText(QString::fromLatin1(key));
    action.setToolTip(QString::fromLatin1(toolTip));
    action.setIcon(style()->standardIcon(icon));
    addAction(&action);
    m_commands.push_back(&action);
    connect(&action, &QAction::triggered, this, [this, &action] { dispatch(action.objectName()); });
    return action;
}

void TestGuideToolbar::dispatch(const QString& key)
{
    // A click has no caller to report a failure to.
    com::ignoreFailure([&] {
        if (m_handler)
            m_handler(key);
    });
}

QAction* TestGuideToolbar::command(const QString& key) const
{
    for (QAction* action : m_commands)
        if (action->objectName() == key)
            return action;
    return nullptr;
}

bool TestGuideToolbar::commandEnabled(const QString& key) const
{
    const QAction* action = command(key);
    return action && action->isEnabled();
}

void TestGuideToolbar::setCommandEnabled(const QString& key, bool enabled)
{
    if (QAction* action = command(key))
        action->setEnabled(enabled);
}

void TestGuideToolbar::setCommandVisible(const QString& key, bool visible)
{
    if (QAction* action = command(key))
        action->setVisible(visible);
}

bool TestGuideToolbar::permission(const QString& key) const
{
    const QAction* action = command(key);
    return action && action->data().toString() == kTrue;
}

void TestGuideToolbar::setPermission(const QString& key, bool allowed)
{
    if (QAction* action = command(key))
        action->setData(allowed ? kTrue : kFalse);
}

} // namespace ZeltorTests
