#include "MainWindowCommand.h"

#include "HostPlugIn.h"
#include "MainWindow.h"
#include "SettingsWindow.h"

#include "PlugIn.h"

#include <QString>

#include "com/Error.h"
#include "events/MessageBoxes.h"

#include <QApplication>
#include <QTabWidget>
#include <QTextStream>

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

int runShowCommand(const QString& page, const QString& subject, const QString& picturePath)
{
    QTextStream err(stderr);
    const bool settings = page == QLatin1String("settings");
    const bool result = page == QLatin1String("result");
    const int tab = page == QLatin1String("config") ? 0
                    : page == QLatin1String("limits") ? 1
                    : result                          ? MainWindow::kResultTab
                                                      : -1;
    if (tab < 0 && !settings) {
        err << "nelvar: show takes the page \"config\", \"limits\", \"result\" or \"settings\", not \"" << page
            << "\"\n";
        return kBadUsage;
    }
    if (settings != subject.isEmpty()) {
        err << (settings ? "nelvar: show settings takes nothing after the page\n"
                         : "nelvar: show config, limits and result need TEST_ID or RESULT.xml\n");
        return kBadUsage;
    }
    bool valid = result || settings;
    const int32_t id = valid ? 0 : subject.toInt(&valid);
    if (!valid) {
        err << "nelvar: TEST_ID is the number of a test (see `nelvar tests`), not \"" << subject << "\"\n";
        return kBadUsage;
    }
    if (picturePath.isEmpty() && !events::displayPresent()) {
        err << "nelvar: there is no display to show the window on; --picture writes a picture of it instead\n";
        return kBadUsage;
    }
    if (settings)
        return runShowSettings(picturePath);
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
        if (picturePath.isEmpty())
            return QApplication::exec();
        return writePicture(window, picturePath);
    } catch (const com::Error& error) {
        printFailure(result ? QStringLiteral("%1 could not be shown").arg(subject)
                            : QStringLiteral("test %1 could not be shown").arg(subject),
                     error);
        return kNotDone;
    }
}
