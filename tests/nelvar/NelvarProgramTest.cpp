#include "HostFixture.h"

#include "ProgramRun.h"

#include "Product.h"
#include "Registry.h"
#include "TestDuration.h"

#include "com/ClassRegistry.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <utility>
#include <vector>

namespace {

const QString kCatalogue = QStringLiteral(
    "its tests are 100 Ventilator test, 200 Leakage test, 300 Flow test, 400 Pressure test, 500 High-pressure test");

// The host program run in a process of its own, on the fixture's registry, with no runtime folder
// for Qt in the environment (the program makes its own, so Qt has nothing to warn about) and no
// instrument port but the one a test names.
class NelvarProgram : public HostFixture {
protected:
    using Run = ProgramRun;

    void SetUp() override
    {
        HostFixture::SetUp();
        for (const char* name : kClearedVariables) {
            if (qEnvironmentVariableIsSet(name))
                m_savedEnvironment.emplace_back(name, qgetenv(name));
            qunsetenv(name);
        }
    }

    void TearDown() override
    {
        for (const char* name : kClearedVariables)
            qunsetenv(name);
        for (const auto& [name, value] : m_savedEnvironment)
            qputenv(name, value);
        HostFixture::TearDown();
    }

    // Runs the host program on the fixture's registry.
    static Run nelvar(const QStringList& arguments)
    {
        Run run = runProgram(QStringLiteral(NELVAR_PATH), arguments, 60'000);
        EXPECT_FALSE(run.err.contains(QStringLiteral("QStandardPaths"))) << run.err.toStdString();
        return run;
    }

    // Writes a value of the plug-in's installation key (the settings key's parent).
    static void setInstallationValue(const QString& name, const QString& value)
    {
        const auto registry =
            com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(QString::fromLatin1(Nelvar::kRegistryProgId));
        registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kRegistryKey);
        registry->SetValue(name, com::Value(value));
    }

    static QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& content)
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }

private:
    static constexpr const char* kClearedVariables[] = {"XDG_RUNTIME_DIR", "ZELTOR_PORT"};
    std::vector<std::pair<const char*, QByteArray>> m_savedEnvironment;
};

// `nelvar run 100 --port sim --minutes 0 --auto` in a process of its own: a ventilator run with
// no end of its own, for the tests that end it with signals.
class EndlessRun {
public:
    static constexpr int kWaitMs = 60'000;

    explicit EndlessRun(const QString& outDir, const QStringList& options = {})
    {
        m_process.start(QStringLiteral(NELVAR_PATH),
                        QStringList{QStringLiteral("run"), QStringLiteral("100"), QStringLiteral("--port"),
                                    QStringLiteral("sim"), QStringLiteral("--minutes"), QStringLiteral("0"),
                                    QStringLiteral("--auto"), QStringLiteral("--out"), outDir}
                            + options);
    }
    ~EndlessRun()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished();
    }
    EndlessRun(const EndlessRun&) = delete;
    EndlessRun& operator=(const EndlessRun&) = delete;

    // Waits until the program says that the test is about to run; false when it ended first.
    bool announced()
    {
        while (!m_process.peek(4096).contains("runs until it is stopped"))
            if (!m_process.waitForReadyRead(kWaitMs))
                return false;
        return true;
    }
    // Lets the run go on for `ms`; false when the program ended meanwhile.
    bool goesOnFor(int ms) { return !m_process.waitForFinished(ms); }
    // Waits until the file is there; false when the program ended first.
    bool goesOnUntilThereIs(const QString& path)
    {
        while (!QFileInfo::exists(path))
            if (!goesOnFor(100))
                return false;
        return true;
    }
    void send(int signalNumber) { ::kill(static_cast<pid_t>(m_process.processId()), signalNumber); }
    ProgramRun finish() { return finishProgram(m_process, kWaitMs); }

private:
    QProcess m_process;
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

// A runtime folder that others may read is not used: Qt would warn about it on every call.
TEST_F(NelvarProgram, ARuntimeFolderThatIsNotPrivateIsReplaced)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir shared;
    ASSERT_TRUE(QFile::setPermissions(shared.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                         | QFile::ReadOther | QFile::ExeOther));
    qputenv("XDG_RUNTIME_DIR", shared.path().toLocal8Bit());
    const Run listed = nelvar({QStringLiteral("run"), QStringLiteral("600"), QStringLiteral("--auto")});
    EXPECT_EQ(listed.exitCode, 1);
    EXPECT_FALSE(listed.err.contains(QStringLiteral("runtime directory"))) << listed.err.toStdString();
}

// The settings as the plug-in loaded them, display units by their texts; showing them changes
// nothing in the registry.
TEST_F(NelvarProgram, SettingsShowWhatThePlugInLoaded)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const Run fresh = nelvar({QStringLiteral("settings")});
    ASSERT_EQ(fresh.exitCode, 0) << fresh.err.toStdString();
    EXPECT_TRUE(fresh.out.contains(QStringLiteral("Template file: ZeltorPlugin.mpc next to the plug-in library\n")))
        << fresh.out.toStdString();
    EXPECT_TRUE(fresh.out.contains(QStringLiteral("none stored: the plug-in's defaults"))) << fresh.out.toStdString();
    for (const char* line : {"\n  FlowUnit +ml/sec\n", "\n  PressureUnit +cmH2O\n", "\n  TemperatureUnit +C\n",
                             "\n  VolumeUnit +0 \\(stored only; volumes are shown in l\\)\n", "\n  ComplianceUnit +CmH2O/l/s\n",
                             "\n  ReferenceUnit +BTPS\n", "\n  DetectLevel +9000\n", "\n  CalculateMassFlow +True\n"})
        EXPECT_TRUE(fresh.out.contains(QRegularExpression(QString::fromLatin1(line)))) << line << fresh.out.toStdString();

    setSetting(QStringLiteral("FlowUnit"), 102);
    setSetting(QStringLiteral("PressureUnit"), 101);
    setSetting(QStringLiteral("TemperatureUnit"), 7);
    setSetting(QStringLiteral("VolumeUnit"), 300);
    setSetting(QStringLiteral("ComplianceUnit"), 1);
    setSetting(QStringLiteral("ReferenceUnit"), 6);
    setSetting(QStringLiteral("Duration"), 5);
    QFile registryFile(QString::fromLocal8Bit(qgetenv("NELVAR_REGISTRY")));
    ASSERT_TRUE(registryFile.open(QIODevice::ReadOnly));
    const QByteArray before = registryFile.readAll();
    registryFile.close();

    const Run stored = nelvar({QStringLiteral("settings")});
    ASSERT_EQ(stored.exitCode, 0) << stored.err.toStdString();
    for (const char* line :
         {"\n  FlowUnit +l/min\n", "\n  PressureUnit +101 \\(not a pressure unit\\)\n",
          "\n  TemperatureUnit +7 \\(not a temperature unit\\)\n", "\n  VolumeUnit +l\n",
          "\n  ComplianceUnit +mBar/l/s\n", "\n  ReferenceUnit +6 \\(not a gas reference condition\\)\n",
          "Other values of the settings key, read by the tests:\n  Duration +5\n"})
        EXPECT_TRUE(stored.out.contains(QRegularExpression(QString::fromLatin1(line)))) << line << stored.out.toStdString();
    EXPECT_FALSE(stored.out.contains(QStringLiteral("102"))) << stored.out.toStdString();
    ASSERT_TRUE(registryFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(registryFile.readAll(), before);
}

// Command lines that are refused or answered without a test being run: the exit status, the
// stream and what the message says.
TEST_F(NelvarProgram, CommandLinesTheProgramRefusesOrAnswersAtOnce)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir work;
    const QString unmade = work.filePath(QStringLiteral("new/out"));
    const QString unknownTest =
        writeFile(work, QStringLiteral("unknown.xml"), R"(<TestElement PlugInID="Zeltor" TestID="600" ID="1"/>)");
    const QString file = writeFile(work, QStringLiteral("file.txt"), "text");
    const QString picture = work.filePath(QStringLiteral("x.png"));

    enum Stream { Out, Err };
    const struct {
        QStringList arguments;
        int exitCode;
        Stream stream;
        QStringList fragments;
    } cases[] = {
        // Bad usage.
        {{},
         2,
         Err,
         {"without a command nelvar opens its main window, which needs a display",
          "nelvar run TEST_ID [--port PATH|sim] [--minutes N] [--auto] [--fullscreen] [--out DIR]"}},
        {{"fly"}, 2, Err, {"unknown command \"fly\"", "nelvar report RESULT.xml --out REPORT.pdf"}},
        {{"run"}, 2, Err, {"usage: nelvar run TEST_ID"}},
        {{"run", "100", "200"}, 2, Err, {"usage: nelvar run TEST_ID"}},
        {{"run", "ventilator", "--auto"}, 2, Err, {"TEST_ID is the number of a test", "\"ventilator\""}},
        {{"run", "100", "--minutes", "-1", "--auto"}, 2, Err, {"--minutes takes a whole number of minutes"}},
        {{"run", "100", "--minutes", "1.5", "--auto"}, 2, Err, {"--minutes takes a whole number of minutes"}},
        {{"run", "100", "--minutes", QString::number(Zeltor::kMaximumDurationMinutes + 1), "--auto"},
         2,
         Err,
         {"--minutes takes at most 35791394 minutes"}},
        {{"run", "100", "--minutes", "99999999999999999999", "--auto"},
         2,
         Err,
         {"--minutes takes at most 35791394 minutes", "not 99999999999999999999\n"}},
        {{"run", "100", "--minutes"},
         2,
         Err,
         {"Missing value after '--minutes'", "`nelvar run --help` tells what it takes"}},
        {{"run", "100", "--bogus"}, 2, Err, {"nelvar: run takes no --bogus\n`nelvar run --help` tells what it takes"}},
        {{"report", unknownTest, "--out", work.filePath(QStringLiteral("x.pdf")), "--bogus"},
         2,
         Err,
         {"nelvar: report takes no --bogus\n`nelvar report --help` tells what it takes"}},
        {{"run", "100", "--auto", "--out", ""}, 2, Err, {"--out is empty: run takes --out DIR"}},
        {{"report", unknownTest, "--out", ""}, 2, Err, {"--out is empty: report takes --out REPORT.pdf"}},
        {{"register", "/nonexistent/lib.so"},
         1,
         Err,
         {"nelvar: /nonexistent/lib.so could not be registered: there is no file /nonexistent/lib.so ("}},
        {{"run", "200", "--auto", "--fullscreen"}, 2, Err, {"--fullscreen is for the ventilator test (100)"}},
        {{"tests", "--minutes", "5"}, 2, Err, {"tests takes no --minutes", "nelvar tests --help"}},
        {{"tests", "all"}, 2, Err, {"usage: nelvar tests"}},
        {{"report", unknownTest}, 2, Err, {"report needs --out REPORT.pdf"}},
        {{"show", "results", "100", "--picture", picture},
         2,
         Err,
         {"show takes the page \"config\", \"limits\", \"result\", \"settings\" or \"control-panel\", not "
          "\"results\""}},
        {{"show", "settings", "100", "--picture", picture}, 2, Err, {"show settings takes nothing after the page"}},
        {{"show", "control-panel", "views", "--port", "sim", "--picture", picture},
         2,
         Err,
         {"show control-panel takes nothing after the page"}},
        {{"show", "control-panel", "--port", "sim", "--tab", "slots", "--picture", picture},
         2,
         Err,
         {"show control-panel --tab takes \"settings\" or \"views\", not \"slots\""}},
        {{"show", "control-panel", "--picture", picture},
         2,
         Err,
         {"show control-panel needs --port PATH|sim, or the port in $ZELTOR_PORT"}},
        {{"show", "settings", "--tab", "views", "--picture", picture}, 2, Err, {"only show control-panel takes --tab"}},
        {{"show", "config", "100", "--port", "sim", "--picture", picture},
         2,
         Err,
         {"only show control-panel takes --port"}},
        {{"run", "100", "--tab", "views", "--auto"}, 2, Err, {"run takes no --tab"}},
        {{"show", "limits", "--picture", picture},
         2,
         Err,
         {"show config, limits and result need TEST_ID or RESULT.xml"}},
        {{"show", "result", work.filePath(QStringLiteral("missing.xml")), "--picture", picture},
         1,
         Err,
         {"missing.xml could not be shown"}},
        // No display and nobody to operate the window.
        {{"run", "100", "--port", "sim"}, 2, Err, {"no display", "--auto"}},
        {{"show", "config", "100"}, 2, Err, {"no display", "--picture"}},
        {{"show", "settings"}, 2, Err, {"no display", "--picture"}},
        {{"show", "control-panel", "--port", "sim"}, 2, Err, {"no display", "--picture"}},
        // An output folder that cannot be written, or made.
        {{"run", "100", "--auto", "--out", "/proc"}, 2, Err, {"the folder /proc cannot be written", "not run"}},
        {{"run", "100", "--auto", "--out", file}, 2, Err, {"is not a folder"}},
        {{"run", "100", "--auto", "--out", file + "/sub"}, 2, Err, {"cannot be created"}},
        // The plug-in's errors, by their description, then number and source.
        {{"run", "600", "--auto", "--out", unmade},
         1,
         Err,
         {"test 600 could not be run: the plug-in's catalogue has no test 600; " + kCatalogue
          + " (error 0x8004A233 in DravikZeltor.CZeltorPlugIn)"}},
        {{"report", unknownTest, "--out", work.filePath(QStringLiteral("unknown.pdf"))},
         1,
         Err,
         {"could not be printed: the plug-in's catalogue has no test 600; " + kCatalogue, "0x8004A233"}},
        // No instrument on the port: the views tab has no slots to list.
        {{"show", "control-panel", "--port", work.filePath(QStringLiteral("no-such-port")), "--tab", "views",
          "--picture", picture},
         1,
         Err,
         {"No Zeltor connected.", "the instrument's parameter views could not be listed on port"}},
        // Help.
        {{"--help"}, 0, Out, {"Usage: nelvar COMMAND", "nelvar COMMAND --help", "NELVAR_REGISTRY"}},
        {{"register", "--help"}, 0, Out, {"Usage: nelvar register [LIBRARY...]"}},
        {{"tests", "--help"}, 0, Out, {"Usage: nelvar tests\n"}},
        {{"settings", "-h"}, 0, Out, {"Usage: nelvar settings\n", "as it loaded them"}},
        {{"instrument", "--help"}, 0, Out, {"Usage: nelvar instrument [--port PATH|sim]", "'sim'"}},
        {{"run", "--help"}, 0, Out, {"Usage: nelvar run TEST_ID", "60 minutes when none is stored", "Exit status: 0"}},
        {{"report", "--help"}, 0, Out, {"Usage: nelvar report RESULT.xml --out REPORT.pdf"}},
        {{"show", "--help"},
         0,
         Out,
         {"Usage: nelvar show config|limits TEST_ID | result RESULT.xml | settings | control-panel [--port PATH|sim] "
          "[--tab settings|views] [--picture FILE]",
          "Exit status: 0"}},
    };
    for (const auto& [arguments, exitCode, stream, fragments] : cases) {
        const std::string line = arguments.join(u' ').toStdString();
        const Run run = nelvar(arguments);
        EXPECT_EQ(run.exitCode, exitCode) << line << '\n' << run.err.toStdString();
        const QString& text = stream == Out ? run.out : run.err;
        for (const QString& fragment : fragments)
            EXPECT_TRUE(text.contains(fragment)) << line << ": " << fragment.toStdString() << '\n' << text.toStdString();
    }
    // The folder made for a run that failed is gone again, and its parent made with it.
    EXPECT_FALSE(QDir(work.filePath(QStringLiteral("new"))).exists());
}

// A registry file that cannot be read fails every library alike: the user is told once.
TEST_F(NelvarProgram, ABrokenRegistryFileIsToldOnce)
{
    QFile registryFile(QString::fromLocal8Bit(qgetenv("NELVAR_REGISTRY")));
    ASSERT_TRUE(registryFile.open(QIODevice::WriteOnly));
    registryFile.write("{ broken");
    registryFile.close();

    const Run registered = nelvar({QStringLiteral("register")});
    EXPECT_EQ(registered.exitCode, 1);
    EXPECT_EQ(registered.err.count(QStringLiteral("is not a valid registry file")), 1) << registered.err.toStdString();
    EXPECT_TRUE(registered.err.contains(QStringLiteral("could not be registered, nor the libraries after it")))
        << registered.err.toStdString();
}

// The plug-in's library alone registered: the plug-in loads, but its tests' classes cannot be
// made, and the user learns how to mend that.
TEST_F(NelvarProgram, TestsOfALibraryNotRegisteredTellHowToRegisterIt)
{
    ASSERT_EQ(nelvar({QStringLiteral("register"), QStringLiteral(ZELTOR_PLUGIN_LIBRARY)}).exitCode, 0);
    const Run listed = nelvar({QStringLiteral("tests")});
    EXPECT_EQ(listed.exitCode, 1);
    EXPECT_TRUE(
        listed.err.contains(QStringLiteral("Can't create object: ZeltorTests.CTestVentilator; `nelvar register` "
                                           "registers the plug-in's libraries (error 0x000001AD")))
        << listed.err.toStdString();
}

// Test and benchmark programs started without a runtime folder for Qt make their own, as the host
// program does, so Qt has nothing to warn about.
TEST_F(NelvarProgram, TestAndBenchmarkProgramsStartWithoutRuntimeFolderWarnings)
{
    ASSERT_FALSE(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"));
    const struct {
        QString program;
        QStringList arguments;
    } programs[] = {
        {QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=ErrorTexts.*")}},
        {QStringLiteral(NELVAR_BENCH_PATH), {QStringLiteral("--benchmark_filter=^$")}},
    };
    for (const auto& [program, arguments] : programs) {
        const Run run = runProgram(program, arguments);
        EXPECT_EQ(run.exitCode, 0) << program.toStdString() << '\n' << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR")))
            << program.toStdString() << '\n'
            << run.err.toStdString();
    }
}

// The main window on a test's configuration page, as a picture: no display needed, nothing said.
TEST_F(NelvarProgram, ShowWritesAPictureOfTheMainWindowOnTheTestsPage)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir work;
    for (const char* page : {"config", "limits"}) {
        const QString picture = work.filePath(QStringLiteral("%1.png").arg(QLatin1String(page)));
        const Run shown = nelvar({QStringLiteral("show"), QString::fromLatin1(page), QStringLiteral("100"),
                                  QStringLiteral("--picture"), picture});
        EXPECT_EQ(shown.exitCode, 0) << page << shown.err.toStdString();
        EXPECT_TRUE(shown.err.isEmpty()) << page << shown.err.toStdString();
        const QImage image(picture);
        ASSERT_FALSE(image.isNull()) << page;
        EXPECT_GE(image.width(), 800);
    }
}

// The settings window as Tools > Settings… opens it, as a picture.
TEST_F(NelvarProgram, ShowSettingsWritesAPictureOfTheSettingsWindow)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir work;
    const QString picture = work.filePath(QStringLiteral("settings.png"));
    const Run shown = nelvar({QStringLiteral("show"), QStringLiteral("settings"), QStringLiteral("--picture"), picture});
    EXPECT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_TRUE(shown.err.isEmpty()) << shown.err.toStdString();
    const QImage image(picture);
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 500);
    EXPECT_GE(image.height(), 380);
}

// The instrument control panel as Tools > Instrument control panel… opens it, on either tab, as a
// picture; the port comes from --port or the environment. The views tab lists the simulated
// instrument's slots before the picture is taken, so both pictures of a tab are the same.
TEST_F(NelvarProgram, ShowControlPanelWritesAPictureOfEitherTab)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir work;
    const struct {
        QString tab;
        QStringList options;
        QByteArray portInEnvironment;
    } cases[] = {
        {"settings", {}, "sim"},
        {"settings", {"--tab", "settings", "--port", "sim"}, {}},
        {"views", {"--tab", "views", "--port", "sim"}, {}},
        {"views", {"--tab", "views"}, "sim"},
    };
    std::map<QString, QImage> pictureOfTab;
    for (const auto& [tab, options, portInEnvironment] : cases) {
        const std::string line = options.join(u' ').toStdString() + " ZELTOR_PORT=" + portInEnvironment.toStdString();
        if (portInEnvironment.isEmpty())
            qunsetenv("ZELTOR_PORT");
        else
            qputenv("ZELTOR_PORT", portInEnvironment);
        const QString picture = work.filePath(QStringLiteral("control-panel.png"));
        QFile::remove(picture);
        const Run shown = nelvar(QStringList{QStringLiteral("show"), QStringLiteral("control-panel"),
                                             QStringLiteral("--picture"), picture}
                                 + options);
        EXPECT_EQ(shown.exitCode, 0) << line << '\n' << shown.err.toStdString();
        EXPECT_TRUE(shown.err.isEmpty()) << line << '\n' << shown.err.toStdString();
        const QImage image(picture);
        ASSERT_FALSE(image.isNull()) << line;
        EXPECT_GE(image.width(), 620) << line;
        EXPECT_GE(image.height(), 400) << line;
        if (const auto [first, isFirst] = pictureOfTab.emplace(tab, image); !isFirst) {
            EXPECT_EQ(image, first->second) << line;
        }
    }
    ASSERT_EQ(pictureOfTab.size(), 2u);
    EXPECT_NE(pictureOfTab[QStringLiteral("settings")], pictureOfTab[QStringLiteral("views")]);
}

// On a port where no instrument answers, the settings tab cannot show the instrument's settings:
// the command fails and names the port.
TEST_F(NelvarProgram, ShowControlPanelWithoutAnInstrumentFailsNamingThePort)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir work;
    const QString port = work.filePath(QStringLiteral("no-such-port"));
    const Run shown = nelvar({QStringLiteral("show"), QStringLiteral("control-panel"), QStringLiteral("--port"), port,
                              QStringLiteral("--picture"), work.filePath(QStringLiteral("control-panel.png"))});
    EXPECT_EQ(shown.exitCode, 1) << shown.err.toStdString();
    EXPECT_TRUE(shown.err.contains(QStringLiteral("No Zeltor connected."))) << shown.err.toStdString();
    EXPECT_TRUE(
        shown.err.contains(QStringLiteral("nelvar: the instrument's settings could not be read on port ") + port))
        << shown.err.toStdString();
}

TEST_F(NelvarProgram, TemplateErrorsAreShownWithTheirDescription)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir work;
    const QString empty = writeFile(work, QStringLiteral("empty.mpc"), "<ZeltorPlugin/>");
    const struct {
        QString templateFile;
        QString message;
    } cases[] = {
        {work.filePath(QStringLiteral("absent.mpc")),
         QStringLiteral("The test template file was not found (error 0x8004A22A in DravikZeltor.CZeltorPlugIn)")},
        {empty, QStringLiteral("The test template \"%1\" is invalid: it has no \"TemplateData\" (error 0x8004A22C in "
                               "DravikZeltor.CZeltorPlugIn)")
                    .arg(empty)},
    };
    for (const auto& [templateFile, message] : cases) {
        setInstallationValue(QStringLiteral("Configuration"), templateFile);
        const Run listed = nelvar({QStringLiteral("tests")});
        EXPECT_EQ(listed.exitCode, 1);
        EXPECT_TRUE(listed.err.contains(QStringLiteral("the plug-in's tests could not be listed: ") + message))
            << listed.err.toStdString();
    }
}

// A damaged saved test is refused with the field that cannot be read and its text, whichever part
// of the test reads it.
TEST_F(NelvarProgram, DamagedSavedTestsAreRefusedNamingTheFieldAndItsText)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir work;
    const auto savedTest = [](const char* testID, const char* own, const char* result) {
        return QStringLiteral("<TestElement PlugIn=\"Zeltor\" TestID=\"%1\" ID=\"1\">%2"
                              "<ResultItem Version=\"1.0.0\"%3</ResultItem></TestElement>")
            .arg(QString::fromLatin1(testID), QString::fromLatin1(own), QString::fromLatin1(result));
    };
    const auto measurement = [](const char* key, const char* average) {
        return QStringLiteral(
                   "<Measurement Key=\"%1\"><Value Type=\"Numeric\" Key=\"Average\">%2</Value></Measurement>")
            .arg(QString::fromLatin1(key), QString::fromLatin1(average));
    };
    const struct {
        const char* fault;
        QString record;
        QString described;
    } cases[] = {
        {"test identifier", savedTest("1e309", "", ">"), R"(TestID of "TestElement" is "1e309", out of range)"},
        {"duration",
         savedTest("400", R"(<PlugInData PlugIn="Zeltor"><Duration>99999999999</Duration></PlugInData>)", ">"),
         R"(Duration is "99999999999", out of range)"},
        {"measurement setting",
         savedTest("100",
                   R"(<PlugInData PlugIn="Zeltor"><Settings><SuppressPressurePeakPeriod>2147483648)"
                   R"(</SuppressPressurePeakPeriod></Settings></PlugInData>)",
                   ">"),
         R"(SuppressPressurePeakPeriod is "2147483648", out of range)"},
        {"limit of no parameter",
         savedTest("400",
                   R"(<ExpectedResult><Standard Name="Default" Key2="Defaults" Kind="1">)"
                   R"(<Limit Name="QQQQ" Unit="cmH2O" BaseUnit="cmH2O" Upper="5"/></Standard></ExpectedResult>)",
                   ">"),
         R"(Name of "Limit" is "QQQQ", not a parameter of the test)"},
        {"result status", savedTest("400", "", R"(><Status Value="1e12" Text=""/>)"),
         R"(Value of "Status" is "1e12", out of range)"},
        {"measurement status flags",
         savedTest("400", "", R"(><Measurement Key="ACPR"><Status Value="1" Text="1e12"/></Measurement>)"),
         R"(Measurement "ACPR": Text of "Status" is "1e12", out of range)"},
        {"instrument identifier", savedTest("400", "", R"( MTI="1e12">)"), R"(MTI is "1e12", out of range)"},
        {"two readings under one key",
         savedTest("400", "", ">")
             .replace(QStringLiteral("</ResultItem>"),
                      measurement("ACPR", "5") + measurement("ACPR", "7") + "</ResultItem>"),
         R"(ResultItem: two measurements have the key "ACPR")"},
        {"two breath measurements under one key",
         savedTest("100", "", ">")
             .replace(QStringLiteral("</ResultItem>"),
                      measurement("BRRA", "15") + measurement("BRRA", "12") + "</ResultItem>"),
         R"(ResultItem: two measurements have the key "BRRA")"},
    };
    for (const auto& c : cases) {
        const QString record = writeFile(work, QStringLiteral("damaged.xml"), c.record.toUtf8());
        const Run printed = nelvar(
            {QStringLiteral("report"), record, QStringLiteral("--out"), work.filePath(QStringLiteral("damaged.pdf"))});
        EXPECT_EQ(printed.exitCode, 1) << c.fault;
        EXPECT_TRUE(printed.err.contains(c.described)) << c.fault << ": " << printed.err.toStdString();
    }
}

// A test that cannot run leaves no result behind and fails the command, with nobody at the window.
TEST_F(NelvarProgram, RunFailsWithoutAResultWhenTheTestCannotRun)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir out;

    const Run unreachable = nelvar({QStringLiteral("run"), QStringLiteral("100"), QStringLiteral("--port"),
                                    out.filePath(QStringLiteral("no-such-port")), QStringLiteral("--auto"),
                                    QStringLiteral("--minutes"), QStringLiteral("0"), QStringLiteral("--out"),
                                    out.path()});
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_TRUE(unreachable.out.contains(QStringLiteral("Test 100 runs until it is stopped")))
        << unreachable.out.toStdString();
    EXPECT_TRUE(unreachable.err.contains(QStringLiteral("No Zeltor connected."))) << unreachable.err.toStdString();
    EXPECT_TRUE(unreachable.err.contains(QStringLiteral("test 100 handed no result to the run (instrument port: %1)")
                                             .arg(out.filePath(QStringLiteral("no-such-port")))))
        << unreachable.err.toStdString();
    EXPECT_FALSE(QDir(out.path()).exists(QStringLiteral("result.xml")));
    EXPECT_FALSE(QDir(out.path()).exists(QStringLiteral("report.pdf")));
}

// SIGTERM or SIGINT stops a run as the window's "stop" does: the run ends as usual, with its
// result, report and a picture of the window taken once it had stopped.
TEST_F(NelvarProgram, AnInterruptedRunStopsTheTestAndWritesItsFiles)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    for (const int signalNumber : {SIGTERM, SIGINT}) {
        const QTemporaryDir out;
        EndlessRun run(out.path());
        ASSERT_TRUE(run.announced()) << signalNumber;
        ASSERT_TRUE(run.goesOnFor(7000)) << signalNumber; // past the first seconds of the run
        const QDateTime signalled = QDateTime::currentDateTime();
        run.send(signalNumber);
        const Run ended = run.finish();

        EXPECT_EQ(ended.exitCode, 0) << signalNumber << ended.err.toStdString();
        EXPECT_TRUE(ended.err.contains(QStringLiteral(": stopping test 100 as its stop button does")))
            << ended.err.toStdString();
        EXPECT_TRUE(ended.out.contains(QStringLiteral("Test 100: passed;"))) << ended.out.toStdString();
        for (const char* name : {"result.xml", "report.pdf", "test-guide.png"})
            EXPECT_TRUE(QDir(out.path()).exists(QLatin1String(name))) << signalNumber << ' ' << name;
        const QDateTime pictured = QFileInfo(out.filePath(QStringLiteral("test-guide.png"))).lastModified();
        EXPECT_GE(pictured, signalled) << signalNumber << ": the picture was taken at "
                                       << pictured.toString(Qt::ISODateWithMs).toStdString() << ", the signal sent at "
                                       << signalled.toString(Qt::ISODateWithMs).toStdString();
    }
}

// A second signal during the wind-down ends the program at once, with the status a shell gives
// a program ended by that signal.
TEST_F(NelvarProgram, ASecondSignalEndsTheRunAtOnce)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir out;
    EndlessRun run(out.path());
    ASSERT_TRUE(run.announced());
    ASSERT_TRUE(run.goesOnFor(3000));
    run.send(SIGTERM);
    ASSERT_TRUE(run.goesOnFor(50));
    run.send(SIGINT);
    const Run ended = run.finish();
    EXPECT_EQ(ended.exitCode, 128 + SIGINT) << ended.err.toStdString();
}

// A signal that comes before "play" was pressed abandons the test: no run, no result.
TEST_F(NelvarProgram, ASignalBeforeTheRunStartsAbandonsTheTest)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir out;
    EndlessRun run(out.path());
    ASSERT_TRUE(run.announced());
    run.send(SIGTERM);
    const Run ended = run.finish();
    EXPECT_EQ(ended.exitCode, 1) << ended.err.toStdString();
    for (const char* message :
         {"nelvar: SIGTERM before test 100 was started: the test is abandoned", "test 100 handed no result"})
        EXPECT_TRUE(ended.err.contains(QLatin1String(message))) << message << '\n' << ended.err.toStdString();
    EXPECT_FALSE(QDir(out.path()).exists(QStringLiteral("result.xml")));
}

// The snapshot that --auto --fullscreen takes is taken mid-sweep: its window holds the samples
// the sweep had drawn, not the few after the sweep wrapped.
TEST_F(NelvarProgram, TheFullscreenSnapshotHoldsTheSweepDrawnSoFar)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QTemporaryDir out;
    EndlessRun run(out.path(), {QStringLiteral("--fullscreen")});
    ASSERT_TRUE(run.announced());
    ASSERT_TRUE(run.goesOnUntilThereIs(out.filePath(QStringLiteral("fullscreen.png"))));
    run.send(SIGTERM);
    const Run ended = run.finish();
    ASSERT_EQ(ended.exitCode, 0) << ended.err.toStdString();

    QFile resultFile(out.filePath(QStringLiteral("result.xml")));
    ASSERT_TRUE(resultFile.open(QIODevice::ReadOnly));
    const QRegularExpression flowOfSnapshot(
        QStringLiteral(R"(<Snapshot Key=.*?<MeasurementTable Key="FLOW">.*?<XMin>(-?\d+)</XMin>\s*<XMax>(-?\d+)</XMax>)"
                       R"(.*?<Data>([^<]*)</Data>)"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch flow = flowOfSnapshot.match(QString::fromUtf8(resultFile.readAll()));
    ASSERT_TRUE(flow.hasMatch());
    const int windowStart = flow.captured(1).toInt();
    const int windowEnd = flow.captured(2).toInt();
    const auto samples = static_cast<int>(flow.captured(3).split(u';').size());
    const int shown = std::min(samples, windowEnd) - windowStart;
    EXPECT_GE(shown, (windowEnd - windowStart) / 2)
        << "window " << windowStart << " to " << windowEnd << " of " << samples << " samples";
}

} // namespace
