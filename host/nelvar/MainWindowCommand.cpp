#include "MainWindowCommand.h"

#include "HostPlugIn.h"
#include "MainWindow.h"

#include "PlugIn.h"

#include "com/Error.h"

#include <QApplication>

int runMainWindow()
{
    std::shared_ptr<Nelvar::IPlugIn> plugIn;
    try {
        plugIn = startPlugIn();
    } catch (const com::Error& error) {
        printFailure(QStringLiteral("the plug-in could not be started"), error);
        return 1;
    }
    MainWindow window(plugIn);
    window.show();
    return QApplication::exec();
}
