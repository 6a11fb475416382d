#include "HostFixture.h"

#include "ProgramRun.h"

#include <QDir>
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

TEST_F(NelvarProgram, RunRefusesAMalformedCommandLineWithItsUsage)
{
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{QStringLiteral("run")}, "usage: nelvar run TEST_ID"},
        {{QStringLiteral("run"), QStringLiteral("ventilator")}, "usage: nelvar run TEST_ID"},
        {{QStringLiteral("run"), QStringLiteral("100"), QStringLiteral("200")}, "usage: nelvar run TEST_ID"},
        {{QStringLiteral("run"), QStringLiteral("100"), QStringLiteral("--minutes"), QStringLiteral("-1")},
         "--minutes takes a whole number of minutes"},
        {{QStringLiteral("run"), QStringLiteral("100"), QStringLiteral("--minutes"), QStringLiteral("1.5")},
         "--minutes takes a whole number of minutes"},
    };
    for (const auto& [arguments, message] : cases) {
        const Run refused = nelvar(arguments);
        EXPECT_EQ(refused.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(refused.err.contains(QString::fromLatin1(message))) << refused.err.toStdString();
    }
}

// A test that cannot run leaves no result behind and fails the command, with nobody at the window.
TEST_F(NelvarProgram, RunFailsWithoutAResultWhenTheTestCannotRun)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir out;

    const Run unknown = nelvar({QStringLiteral("run"), QStringLiteral("999"), QStringLiteral("--port"),
                                QStringLiteral("sim"), QStringLiteral("--out"), out.path()});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("test 999 could not be run"))) << unknown.err.toStdString();

    const Run unreachable = nelvar({QStringLiteral("run"), QStringLiteral("100"), QStringLiteral("--port"),
                                    out.filePath(QStringLiteral("no-such-port")), QStringLiteral("--auto"),
                                    QStringLiteral("--out"), out.path()});
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_TRUE(unreachable.err.contains(QStringLiteral("No Zeltor connected."))) << unreachable.err.toStdString();
    EXPECT_TRUE(unreachable.err.contains(QStringLiteral("test 100 handed no result to the run")))
        << unreachable.err.toStdString();
    EXPECT_FALSE(QDir(out.path()).exists(QStringLiteral("result.xml")));
    EXPECT_FALSE(QDir(out.path()).exists(QStringLiteral("report.pdf")));
}

} // namespace
