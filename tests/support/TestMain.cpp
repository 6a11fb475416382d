#include "events/RuntimeDirectory.h"

#include <QApplication>

#include <gtest/gtest.h>

// Every test program runs with an application object, as the system always does.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    events::ensurePrivateRuntimeDirectory();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
