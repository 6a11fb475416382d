#include "MainWindowCommand.h"

#include "ControlPanelWindow.h"
#include "HostPlugIn.h"
#include "MainWindow.h"
#include "SettingsWindow.h"
#include "views/DialogDock.h"

#include "PlugIn.h"

#include <QString>

#include "com/Error.h"
#include "events/MessageBoxes.h"
#include "serial/PortFinder.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextStream>
#include <QTreeWidget>

#include <iterator>
#include <optional>

namespace {

constexpr int kNotDone = 1;
constexpr int kBadUsage = 2;

// Writes a PNG of the shown window into the file; 0, or 1 when it cannot be written.
int writePicture(QWidget& window, const QString& picturePath)
{
    QApplication::processEvents();
    if (!window.grab().save(picturePath, "PNG")) {
        QTextStream(stderr) << "nelvar: the picture could not be written to " << picturePath << '\n';
        return kNotDone;
    }
    return 0;
}

// `nelvar show settings`: the settings window as Tools > Settings… opens it.
int runShowSettings(const QString& picturePath)
{
    std::shared_ptr<Nelvar::IPlugIn> plugIn;
    try {
        plugIn = startPlugIn();
    } catch (const com::Error& error) {
        printFailure(QStringLiteral("the settings could not be shown"), error);
        return kNotDone;
    }
    SettingsWindow window(plugIn->Setup());
    if (picturePath.isEmpty())
        return window.exec() >= 0 ? 0 : kNotDone;
    window.show();
    return writePicture(window, picturePath);
}

// The control panel's tabs as --tab names them, in the order of the page's tab strip.
constexpr const char* kControlPanelTabs[] = {"settings", "views"};
constexpr int kSettingsTab = 0;

// The position of the control panel's tab that --tab names (the settings tab when none), or -1.
int controlPanelTab(const std::optional<QString>& name)
{
    if (!name)
        return 0;
    for (int tab = 0; tab < static_cast<int>(std::size(kControlPanelTabs)); ++tab)
        if (*name == QLatin1String(kControlPanelTabs[tab]))
            return tab;
    return -1;
}

// Whether the page shows what the instrument holds on the tab it was opened on: the settings in
// their boxes (in their place the page tells that they could not be read), or the slots in their
// list. The page reads them from the message pump once the tab is first shown, which writing the
// picture lets run.
bool instrumentRead(const ControlPanelWindow& window, int tab)
{
    if (tab == kSettingsTab) {
        const auto* operatorBox = window.findChild<QLineEdit*>(QStringLiteral("txtOperator"));
        return operatorBox && operatorBox->isVisibleTo(&window) && operatorBox->isEnabled();
    }
    const auto* slotList = window.findChild<QTreeWidget*>(QStringLiteral("lvwSlotInfo"));
    return slotList && slotList->topLevelItemCount() > 0;
}

// `nelvar show control-panel`: the control panel window as Tools > Instrument control panel…
// opens it on the configured port, on that tab.
int runShowControlPanel(int tab, const QString& picturePath)
{
    // The plug-in is held for as long as its control panel is shown.
    std::shared_ptr<Nelvar::IPlugIn> plugIn;
    std::shared_ptr<Nelvar::ISetup> controlPanel;
    try {
        plugIn = startPlugIn();
        controlPanel = plugIn->ControlPanel();
    } catch (const com::Error& error) {
        printFailure(QStringLiteral("the instrument control panel could not be shown"), error);
        return kNotDone;
    }
    ControlPanelWindow window(controlPanel);
    window.show();
    if (!window.page().dialog()) {
        QTextStream(stderr) << "nelvar: the plug-in's instrument control panel has no page to show\n";
        return kNotDone;
    }
    if (!window.selectTab(tab)) {
        QTextStream(stderr) << "nelvar: the plug-in's instrument control panel has no " << kControlPanelTabs[tab]
                            << " tab to show\n";
        return kNotDone;
    }
    if (picturePath.isEmpty())
        return window.exec() >= 0 ? 0 : kNotDone;
    const int written = writePicture(window, picturePath);
    if (!instrumentRead(window, tab)) {
        QTextStream(stderr) << "nelvar: the instrument's "
                            << (tab == kSettingsTab ? "settings could not be read"
                                                    : "parameter views could not be listed")
                            << " on port " << serial::configuredPort() << '\n';
        return kNotDone;
    }
    return written;
}

} // namespace

int runMainWindow()
{
    std::shared_ptr<Nelvar::IPlugIn> plugIn;
    try {
        plugIn = startPlugIn();
    } catch (const com::Error& error) {
        printFailure(QStringLiteral("the plug-in could not be started"), error);
        return kNotDone;
    }
    MainWindow window(plugIn);
    window.show();
    return QApplication::exec();
}

int runShowCommand(const QString& page, const QString& subject, const ShowOptions& options)
{
    QTextStream err(stderr);
    const bool settings = page == QLatin1String("settings");
    const bool controlPanel = page == QLatin1String("control-panel");
    const bool result = page == QLatin1String("result");
    const int tab = page == QLatin1String("config") ? 0
                    : page == QLatin1String("limits") ? 1
                    : result                          ? MainWindow::kResultTab
                                                      : -1;
    if (tab < 0 && !settings && !controlPanel) {
        err << "nelvar: show takes the page \"config\", \"limits\", \"result\", \"settings\" or \"control-panel\", "
               "not \""
            << page << "\"\n";
        return kBadUsage;
    }
    // The settings and control panel windows are the plug-in's own: nothing to choose in them.
    const bool ownWindow = settings || controlPanel;
    if (ownWindow != subject.isEmpty()) {
        if (ownWindow)
            err << "nelvar: show " << page << " takes nothing after the page\n";
        else
            err << "nelvar: show config, limits and result need TEST_ID or RESULT.xml\n";
        return kBadUsage;
    }
    if (!controlPanel && (options.tab || options.portGiven)) {
        err << "nelvar: only show control-panel takes " << (options.tab ? "--tab" : "--port") << '\n';
        return kBadUsage;
    }
    const int panelTab = controlPanelTab(options.tab);
    if (panelTab < 0) {
        err << "nelvar: show control-panel --tab takes \"settings\" or \"views\", not \"" << *options.tab << "\"\n";
        return kBadUsage;
    }
    if (controlPanel && serial::configuredPort().isEmpty()) {
        err << "nelvar: show control-panel needs --port PATH|sim, or the port in $ZELTOR_PORT\n";
        return kBadUsage;
    }
    bool valid = result || ownWindow;
    const int32_t id = valid ? 0 : subject.toInt(&valid);
    if (!valid) {
        err << "nelvar: TEST_ID is the number of a test (see `nelvar tests`), not \"" << subject << "\"\n";
        return kBadUsage;
    }
    if (options.picturePath.isEmpty() && !events::displayPresent()) {
        err << "nelvar: there is no display to show the window on; --picture writes a picture of it instead\n";
        return kBadUsage;
    }
    if (settings)
        return runShowSettings(options.picturePath);
    if (controlPanel)
        return runShowControlPanel(panelTab, options.picturePath);
    try {
        MainWindow window(startPlugIn());
        if (result) {
            window.openResult(subject);
        } else {
            window.addTest(id);
            window.selectTest(0);
        }
        window.pages().setCurrentIndex(tab);
        window.show();
        if (options.picturePath.isEmpty())
            return QApplication::exec();
        return writePicture(window, options.picturePath);
    } catch (const com::Error& error) {
        printFailure(result ? QStringLiteral("%1 could not be shown").arg(subject)
                            : QStringLiteral("test %1 could not be shown").arg(subject),
                     error);
        return kNotDone;
    }
}
