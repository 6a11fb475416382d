#include "RunCommand.h"

#include "CommandLine.h"
#include "HostPlugIn.h"
#include "OutputFolder.h"
#include "ReportCommand.h"
#include "TestGuideWatcher.h"
#include "TestRuns.h"
#include "testmodel/ResultStatus.h"
#include "testmodel/TestSequence.h"

#include "PlugIn.h"
#include "TestDuration.h"
#include "TestElement.h"

#include "com/Required.h"
#include "events/MessageBoxes.h"
#include "events/QtMessageBoxes.h"
#include "events/StopSignals.h"
#include "serial/PortFinder.h"

#include <algorithm>
#include <optional>

namespace {

// The exit statuses of the command.
enum RunStatus : int {
    kPassed = 0,
    kNotDone = 1,
    kBadUsage = 2,
    kNotPassed = 3,
};


// What the command line asks for.
struct RunRequest {
    int32_t testID = 0;
    std::optional<int32_t> minutes; // none keeps the test's default
    RunOptions options;
};

constexpr int32_t kVentilatorTest = 100;
// Before the live sweep first wraps (after ten seconds), so that the frozen window holds what the
// sweep has drawn so far.
constexpr qint64 kSnapshotAfter = 8000; // milliseconds of the run

// The port the test was to reach its instrument on, as the run's failure names it.
QString instrumentPortText()
{
    const QString port = serial::configuredPort();
    return port.isEmpty() ? QStringLiteral("no instrument port was given: --port or $ZELTOR_PORT names it")
                          : QStringLiteral("instrument port: %1").arg(port);
}

// Eight seconds into the run, or halfway through a shorter one.
qint64 snapshotTime(const std::optional<int32_t>& minutes)
{
    if (!minutes || *minutes == 0)
        return kSnapshotAfter;
    return std::min<qint64>(kSnapshotAfter, static_cast<qint64>(*minutes) * 60000 / 2);
}

// The request, or none after telling the user what is wrong.
std::optional<RunRequest> parseRequest(const QString& testID, const QString& minutes, const RunOptions& options)
{
    QTextStream err(stderr);
    RunRequest request{0, std::nullopt, options};
    bool valid = false;
    request.testID = testID.toInt(&valid);
    if (!valid) {
        err << "nelvar: TEST_ID is the number of a test (see `nelvar tests`), not \"" << testID << "\"\n"
            << "usage: " << com::required(CommandLine::findCommand(QStringLiteral("run"))).synopsis() << '\n';
        return std::nullopt;
    }
    if (!minutes.isEmpty()) {
        const int32_t value = minutes.toInt(&valid);
        // A whole number too large for the conversion is still a whole number.
        const bool wholeNumber
            = valid || std::all_of(minutes.begin(), minutes.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (!wholeNumber || value < 0) {
            err << "nelvar: --minutes takes a whole number of minutes (0 runs without end), not \"" << minutes << "\"\n";
            return std::nullopt;
        }
        if (!valid || value > Zeltor::kMaximumDurationMinutes) {
            err << "nelvar: --minutes takes at most " << Zeltor::kMaximumDurationMinutes
                << " minutes, the longest duration a test counts in seconds, not " << minutes << '\n';
            return std::nullopt;
        }
        request.minutes = value;
    }
    if (options.fullscreen && request.testID != kVentilatorTest) {
        err << "nelvar: --fullscreen is for the ventilator test (" << kVentilatorTest << "), whose window has the "
               "full-screen live view; test " << request.testID << " has none\n";
        return std::nullopt;
    }
    if (!options.autoOperate && !events::displayPresent()) {
        err << "nelvar: there is no display to show the test's window on; --auto runs the test with nobody at the "
               "window\n";
        return std::nullopt;
    }
    return request;
}

// The host's answer to SIGINT or SIGTERM: the watcher ends the test as an operator would, so
// that the run ends as usual and its files are written.
void interruptRun(TestGuideWatcher& watcher, int32_t testID, int signalNumber)
{
    QTextStream err(stderr);
    err << "nelvar: " << events::StopSignals::nameOf(signalNumber);
    if (watcher.RunStarted())
        err << ": stopping test " << testID << " as its stop button does; its files are written as usual";
    else
        err << " before test " << testID << " was started: the test is abandoned";
    err << " (a second signal ends nelvar at once)\n";
    watcher.interrupt();
}

// Performs the test and writes its files into the folder; returns the exit status.
int perform(const RunRequest& request, const OutputFolder& folder, QTextStream& out)
{
    const QString resultPath = folder.filePath(QStringLiteral("result.xml"));
    const QString reportPath = folder.filePath(QStringLiteral("report.pdf"));
    const QString picturePath = folder.filePath(QStringLiteral("test-guide.png"));
    const QString fullscreenPath = folder.filePath(QStringLiteral("fullscreen.png"));
    const bool autoOperate = request.options.autoOperate;
    std::optional<TestGuideWatcher::FullscreenPlan> fullscreen;
    if (request.options.fullscreen)
        fullscreen = TestGuideWatcher::FullscreenPlan{fullscreenPath, snapshotTime(request.minutes)};
    if (autoOperate)
        events::MessageBoxes::install(std::make_shared<events::TerminalMessageBoxes>()); // nobody answers
    TestGuideWatcher watcher(picturePath, autoOperate, fullscreen);
    const auto stopSignals = events::StopSignals::create(
        [&watcher, &request](int signalNumber) { interruptRun(watcher, request.testID, signalNumber); });
    if (!stopSignals)
        QTextStream(stderr) << "nelvar: SIGINT and SIGTERM cannot be watched; they end the run without its files\n";

    int32_t status = 0;
    try {
        const auto plugIn = startPlugIn();
        const auto element = createTest(*plugIn, request.testID);
        if (request.minutes)
            setTestDuration(*element, *request.minutes);
        if (autoOperate && request.minutes == 0) {
            out << "Test " << request.testID
                << " runs until it is stopped: with --auto nobody stops it, so it goes on until nelvar is sent SIGINT "
                   "(Ctrl-C) or SIGTERM, which stop it and keep its files\n";
            out.flush();
        }
        const auto sequence = oneTestSequence(*element);
        element->Perform(sequence);
        if (sequence->ReadyElements().empty()) {
            QTextStream(stderr) << "nelvar: test " << request.testID << " handed no result to the run ("
                                << instrumentPortText() << ")\n";
            return kNotDone;
        }
        status = com::required(element->Result()).Status();
        saveRecord(testElementRecord(*element), resultPath);
        if (!watcher.PictureTaken())
            QTextStream(stderr) << "nelvar: no picture of the test's window was taken\n";
        const bool viewPictured = !(fullscreen && autoOperate) || watcher.FullscreenPictureTaken();
        if (!viewPictured)
            QTextStream(stderr) << "nelvar: no picture of the full-screen view was taken\n";
        if (runReportCommand(resultPath, reportPath, out) != 0 || !watcher.PictureTaken() || !viewPictured)
            return kNotDone;
    } catch (const com::Error& error) {
        out.flush();
        printFailure(QStringLiteral("test %1 could not be run").arg(request.testID), error);
        return kNotDone;
    }
    out << "Test " << request.testID << ": " << host::resultStatusText(status) << "; its result is in " << resultPath
        << ", its report in " << reportPath << " and a picture of its window in " << picturePath;
    if (fullscreen && autoOperate)
        out << ", of its full-screen view in " << fullscreenPath;
    out << "\n";
    return status == host::rstPassed ? kPassed : kNotPassed;
}

} // namespace

int runRunCommand(const QString& testID, const QString& minutes, const RunOptions& options, const QString& outDir,
                  QTextStream& out)
{
    const auto request = parseRequest(testID, minutes, options);
    if (!request)
        return kBadUsage;
    const OutputFolder folder(outDir.isEmpty() ? QStringLiteral(".") : outDir);
    if (!folder.problem().isEmpty()) {
        QTextStream(stderr) << "nelvar: " << folder.problem() << "; the test was not run\n";
        return kBadUsage;
    }
    return perform(*request, folder, out);
}
