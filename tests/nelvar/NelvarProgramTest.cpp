#include "HostFixture.h"

#include "ProgramRun.h"

#include "Product.h"
#include "Registry.h"
#include "TestDuration.h"

#include "com/ClassRegistry.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

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
                             "\n  DetectLevel +9000\n", "\n  CalculateMassFlow +True\n"})
        EXPECT_TRUE(fresh.out.contains(QRegularExpression(QString::fromLatin1(line)))) << line << fresh.out.toStdString();

    setSetting(QStringLiteral("FlowUnit"), 102);
    setSetting(QStringLiteral("TemperatureUnit"), 7);
    setSetting(QStringLiteral("Duration"), 5);
    QFile registryFile(QString::fromLocal8Bit(qgetenv("NELVAR_REGISTRY")));
    ASSERT_TRUE(registryFile.open(QIODevice::ReadOnly));
    const QByteArray before = registryFile.readAll();
    registryFile.close();

    const Run stored = nelvar({QStringLiteral("settings")});
    ASSERT_EQ(stored.exitCode, 0) << stored.err.toStdString();
    for (const char* line : {"\n  FlowUnit +l/min\n", "\n  TemperatureUnit +7 \\(no unit\\)\n",
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
        {{}, 2, Err, {"without a command nelvar opens its main window, which needs a display", "nelvar run TEST_ID [--port PATH|sim] [--minutes N] [--auto] [--fullscreen] [--out DIR]"}},
        {{"fly"}, 2, Err, {"unknown command \"fly\"", "nelvar report RESULT.xml --out REPORT.pdf"}},
        {{"run"}, 2, Err, {"usage: nelvar run TEST_ID"}},
        {{"run", "100", "200"}, 2, Err, {"usage: nelvar run TEST_ID"}},
        {{"run", "ventilator", "--auto"}, 2, Err, {"TEST_ID is the number of a test", "\"ventilator\""}},
        {{"run", "100", "--minutes", "-1", "--auto"}, 2, Err, {"--minutes takes a whole number of minutes"}},
        {{"run", "100", "--minutes", "1.5", "--auto"}, 2, Err, {"--minutes takes a whole number of minutes"}},
        {{"run", "100", "--minutes", QString::number(Zeltor::kMaximumDurationMinutes + 1), "--auto"},
         2, Err, {"--minutes takes at most 35791394 minutes"}},
        {{"run", "100", "--minutes"}, 2, Err, {"Missing value after '--minutes'"}},
        {{"run", "100", "--bogus"}, 2, Err, {"Unknown option 'bogus'"}},
        {{"run", "200", "--auto", "--fullscreen"}, 2, Err, {"--fullscreen is for the ventilator test (100)"}},
        {{"tests", "--minutes", "5"}, 2, Err, {"tests takes no --minutes", "nelvar tests --help"}},
        {{"tests", "all"}, 2, Err, {"usage: nelvar tests"}},
        {{"report", unknownTest}, 2, Err, {"report needs --out REPORT.pdf"}},
        {{"show", "results", "100", "--picture", picture}, 2, Err,
         {"show takes the page \"config\", \"limits\", \"result\", \"settings\" or \"control-panel\", not "
          "\"results\""}},
        {{"show", "settings", "100", "--picture", picture}, 2, Err, {"show settings takes nothing after the page"}},
        {{"show", "control-panel", "views", "--port", "sim", "--picture", picture}, 2, Err,
         {"show control-panel takes nothing after the page"}},
        {{"show", "control-panel", "--port", "sim", "--tab", "slots", "--picture", picture}, 2, Err,
         {"show control-panel --tab takes \"settings\" or \"views\", not \"slots\""}},
        {{"show", "control-panel", "--picture", picture}, 2, Err,
         {"show control-panel needs --port PATH|sim, or the port in $ZELTOR_PORT"}},
        {{"show", "settings", "--tab", "views", "--picture", picture}, 2, Err, {"only show control-panel takes --tab"}},
        {{"show", "config", "100", "--port", "sim", "--picture", picture}, 2, Err,
         {"only show control-panel takes --port"}},
        {{"run", "100", "--tab", "views", "--auto"}, 2, Err, {"run takes no --tab"}},
        {{"show", "limits", "--picture", picture}, 2, Err,
         {"show config, limits and result need TEST_ID or RESULT.xml"}},
        {{"show", "result", work.filePath(QStringLiteral("missing.xml")), "--picture", picture},
         1, Err, {"missing.xml could not be shown"}},
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
        {{"run", "600", "--auto", "--out", unmade}, 1, Err,
         {"test 600 could not be run: the plug-in's catalogue has no test 600; " + kCatalogue
          + " (error 0x8004A233 in DravikZeltor.CZeltorPlugIn)"}},
        {{"report", unknownTest, "--out", work.filePath(QStringLiteral("unknown.pdf"))}, 1, Err,
         {"could not be printed: the plug-in's catalogue has no test 600; " + kCatalogue, "0x8004A233"}},
        // No instrument on the port: the views tab has no slots to list.
        {{"show", "control-panel", "--port", work.filePath(QStringLiteral("no-such-port")), "--tab", "views",
          "--picture", picture},
         1, Err, {"No Zeltor connected.", "the instrument's parameter views could not be listed on port"}},
        // Help.
        {{"--help"}, 0, Out, {"Usage: nelvar COMMAND", "nelvar COMMAND --help", "NELVAR_REGISTRY"}},
        {{"register", "--help"}, 0, Out, {"Usage: nelvar register [LIBRARY...]"}},
        {{"tests", "--help"}, 0, Out, {"Usage: nelvar tests\n"}},
        {{"settings", "-h"}, 0, Out, {"Usage: nelvar settings\n", "as it loaded them"}},
        {{"instrument", "--help"}, 0, Out, {"Usage: nelvar instrument [--port PATH|sim]", "'sim'"}},
        {{"run", "--help"}, 0, Out, {"Usage: nelvar run TEST_ID", "60 minutes when none is stored", "Exit status: 0"}},
        {{"report", "--help"}, 0, Out, {"Usage: nelvar report RESULT.xml --out REPORT.pdf"}},
        {{"show", "--help"}, 0, Out,
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
    EXPECT_TRUE(unreachable.err.contains(QStringLiteral("test 100 handed no result to the run")))
        << unreachable.err.toStdString();
    EXPECT_FALSE(QDir(out.path()).exists(QStringLiteral("result.xml")));
    EXPECT_FALSE(QDir(out.path()).exists(QStringLiteral("report.pdf")));
}

} // namespace
