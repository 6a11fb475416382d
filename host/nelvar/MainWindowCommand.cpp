#include "MainWindowCommand.h"

#include "HostPlugIn.h"
#include "MainWindow.h"

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
    const bool result = page == QLatin1String("result");
    const int tab = page == QLatin1String("config") ? 0
                    : page == QLatin1String("limits") ? 1
                    : result                          ? MainWindow::kResultTab
                                                      : -1;
    if (tab < 0) {
        err << "nelvar: show takes the page \"config\", \"limits\" or \"result\", not \"" << page << "\"\n";
        return kBadUsage;
    }
    bool valid = result;
    const int32_t id = result ? 0 : subject.toInt(&valid);
    if (!valid) {
        err << "nelvar: TEST_ID is the number of a test (see `nelvar tests`), not \"" << subject << "\"\n";
        return kBadUsage;
    }
    if (picturePath.isEmpty() && !events::displayPresent()) {
        err << "nelvar: there is no display to show the window on; --picture writes a picture of it instead\n";
        return kBadUsage;
    }
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
        QApplication::processEvents();
        if (!window.grab().save(picturePath, "PNG")) {
            err << "nelvar: the picture could not be written to " << picturePath << '\n';
            return kNotDone;
        }
        return 0;
    } catch (const com::Error& error) {
        printFailure(result ? QStringLiteral("%1 could not be shown").arg(subject)
                            : QStringLiteral("test %1 could not be shown").arg(subject),
                     error);
        return kNotDone;
    }
}
