#include "RunCommand.h"

#include "HostErrors.h"
#include "HostPlugIn.h"
#include "ReportCommand.h"
#include "TestGuideWatcher.h"
#include "instruments/InstrumentList.h"
#include "testmodel/TestSequence.h"

#include "HostServices.h"
#include "PlugIn.h"
#include "Standards.h"
#include "TestElement.h"
#include "Xml.h"

#include "com/Required.h"
#include "events/MessageBoxes.h"
#include "events/QtMessageBoxes.h"

#include <QDir>

#include <optional>

namespace {

const QString kSource = QStringLiteral("nelvar run");

// Sets the test's duration the way the host edits a test's settings: in its configuration's
// record, which the configuration then reads back.
void setDuration(Nelvar::ITestElement& element, int32_t minutes)
{
    Nelvar::IConfigData& configuration = com::required(element.Configuration());
    const auto document = Nelvar::xmlService().CreateDocument();
    const auto record = configuration.Save(document);
    const auto duration = com::required(record).FindChildElement(QStringLiteral("Duration"));
    if (!duration)
        host::errors::raise(com::errInvalidCall, kSource, QStringLiteral("the test's settings have no duration"));
    duration->setText(QString::number(minutes));
    configuration.Load(record, nullptr);
}

// The run context of a one-test sequence: the test's own standards are the limit context.
std::shared_ptr<host::TestSequence> oneTestSequence(const Nelvar::ITestElement& element)
{
    auto sequence = std::make_shared<host::TestSequence>();
    if (const auto limits = element.Limits())
        sequence->setLimitContext(limits->Standards());
    sequence->setInstruments(std::make_shared<host::Instruments>());
    return sequence;
}

void saveTestElement(Nelvar::ITestElement& element, const QString& path)
{
    const auto document = Nelvar::xmlService().CreateDocument();
    document->setDocumentElement(element.Save(document, 0));
    com::required(std::dynamic_pointer_cast<Nelvar::IXmlFile>(document)).Save(path);
}

// What the command line asks for.
struct RunRequest {
    int32_t testID = 0;
    std::optional<int32_t> minutes; // none keeps the test's default
    bool autoOperate = false;
    QString outDir;
};

// The request, or none after telling the user what is wrong.
std::optional<RunRequest> parseRequest(const QStringList& arguments, const QString& minutes, bool autoOperate,
                                       const QString& outDir)
{
    QTextStream err(stderr);
    RunRequest request{0, std::nullopt, autoOperate, outDir.isEmpty() ? QStringLiteral(".") : outDir};
    bool valid = arguments.size() == 1;
    if (valid)
        request.testID = arguments[0].toInt(&valid);
    if (!valid) {
        err << "nelvar: usage: nelvar run TEST_ID [--port PATH|sim] [--minutes N] [--auto] [--out DIR]\n";
        return std::nullopt;
    }
    if (!minutes.isEmpty()) {
        const int32_t value = minutes.toInt(&valid);
        if (!valid || value < 0) {
            err << "nelvar: --minutes takes a whole number of minutes (0 runs without end), not \"" << minutes << "\"\n";
            return std::nullopt;
        }
        request.minutes = value;
    }
    return request;
}

int run(const RunRequest& request, QTextStream& out)
{
    const QDir outDir(request.outDir);
    if (!QDir().mkpath(outDir.path())) {
        QTextStream(stderr) << "nelvar: cannot create the folder " << outDir.path() << "\n";
        return 1;
    }
    const QString resultPath = outDir.filePath(QStringLiteral("result.xml"));
    const QString reportPath = outDir.filePath(QStringLiteral("report.pdf"));
    const QString picturePath = outDir.filePath(QStringLiteral("test-guide.png"));
    if (request.autoOperate)
        events::MessageBoxes::install(std::make_shared<events::TerminalMessageBoxes>()); // nobody answers

    std::shared_ptr<Nelvar::ITestElement> element;
    std::shared_ptr<host::TestSequence> sequence;
    try {
        const auto plugIn = startPlugIn();
        element = plugIn->CreateTest(request.testID);
        if (!element)
            host::errors::raise(com::errInvalidCall, kSource, QStringLiteral("the plug-in has no test %1").arg(request.testID));
        if (request.minutes)
            setDuration(*element, *request.minutes);
        sequence = oneTestSequence(*element);
        const TestGuideWatcher watcher(picturePath, request.autoOperate);
        element->Perform(sequence);
        if (sequence->ReadyElements().empty()) {
            QTextStream(stderr) << "nelvar: test " << request.testID << " handed no result to the run\n";
            return 1;
        }
        saveTestElement(*element, resultPath);
        if (!watcher.PictureTaken())
            QTextStream(stderr) << "nelvar: no picture of the test's window was taken\n";
        if (runReportCommand(resultPath, reportPath, out) != 0 || !watcher.PictureTaken())
            return 1;
    } catch (const com::Error& error) {
        out.flush();
        printFailure(QStringLiteral("test %1 could not be run").arg(request.testID), error);
        return 1;
    }
    out << "Test " << request.testID << " ran; its result is in " << resultPath << ", its report in " << reportPath
        << " and a picture of its window in " << picturePath << "\n";
    return 0;
}

} // namespace

int runRunCommand(const QStringList& arguments, const QString& minutes, bool autoOperate, const QString& outDir,
                  QTextStream& out)
{
    const auto request = parseRequest(arguments, minutes, autoOperate, outDir);
    return request ? run(*request, out) : 2;
}
