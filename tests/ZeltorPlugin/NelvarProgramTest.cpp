#include "HostFixture.h"

#include "ProgramRun.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// The host program run in a process of its own, on the fixture's registry.
class NelvarProgram : public HostFixture {
protected:
    using Run = ProgramRun;

    // Runs the host program on the fixture's registry.
    static Run nelvar(const QStringList& arguments)
    {
        return runProgram(QStringLiteral(NELVAR_PATH), arguments, 60'000);
    }
};

TEST_F(NelvarProgram, AFreshProcessCreatesThePlugInByItsRegisteredClassAndListsTheCatalogue)
{
    const Run unregistered = nelvar({QStringLiteral("tests")});
    EXPECT_EQ(unregistered.exitCode, 1);
    EXPECT_TRUE(unregistered.err.contains(QStringLiteral("0x000001AD"))) << unregistered.err.toStdString();

    const Run registered = nelvar({QStringLiteral("register")});
    ASSERT_EQ(registered.exitCode, 0) << registered.err.toStdString();
    EXPECT_TRUE(registered.out.contains(QStringLiteral("libZeltorPlugin.so"))) << registered.out.toStdString();
    EXPECT_TRUE(registered.out.contains(QStringLiteral("libZeltorTests.so"))) << registered.out.toStdString();

    const Run listed = nelvar({QStringLiteral("tests")});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_TRUE(listed.out.startsWith(QStringLiteral("Zeltor Ventilator tester 1.0.0\n"))) << listed.out.toStdString();
    for (const char* line : {"  100  Ventilator test\n", "  200  Leakage test\n", "  300  Flow test\n",
                             "  400  Pressure test\n", "  500  High-pressure test\n"})
        EXPECT_TRUE(listed.out.contains(QString::fromLatin1(line))) << line << listed.out.toStdString();
}

TEST_F(NelvarProgram, SettingsShowWhatTheSettingsKeyHolds)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const Run fresh = nelvar({QStringLiteral("settings")});
    ASSERT_EQ(fresh.exitCode, 0) << fresh.err.toStdString();
    EXPECT_TRUE(fresh.out.contains(QStringLiteral("Template file: ZeltorPlugin.mpc next to the plug-in library\n")))
        << fresh.out.toStdString();
    EXPECT_TRUE(fresh.out.contains(QStringLiteral("none stored: the plug-in uses its defaults"))) << fresh.out.toStdString();

    setSetting(QStringLiteral("FlowUnit"), 102);
    const Run stored = nelvar({QStringLiteral("settings")});
    ASSERT_EQ(stored.exitCode, 0) << stored.err.toStdString();
    EXPECT_TRUE(stored.out.contains(QRegularExpression(QStringLiteral("\n  FlowUnit +102\n")))) << stored.out.toStdString();
}

} // namespace
