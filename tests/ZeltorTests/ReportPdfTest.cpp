#include "VentilatorRunFixture.h"

#include "data/CSnapshotColl.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CTrendParameter.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"

#include "PdfPages.h"
#include "ProgramRun.h"
#include "ScriptedInstrument.h"

#include "instruments/InstrumentList.h"
#include "standards/Limit.h"
#include "testmodel/TestFilter.h"

#include "HostServices.h"
#include "Standards.h"
#include "Xml.h"

#include <QDateTime>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>

using namespace ZeltorTests;
using Events = ZeltorTests::ITestGuideEvents;

namespace {

// Page geometry of the host's report, in twips: A4 with 2 cm margins.
constexpr int kPageLeft = 1134;
constexpr int kPageRight = 11906 - 1134;
// pdftoppm's resolution: a pixel is 10 twips.
constexpr int kDpi = 144;
constexpr int kTwipsPerPixel = 1440 / kDpi;

// The graph areas of the blocks on a page, found by the grey shadows down the frames' right edge:
// a shadow runs from 70 below the frame's top to 70 below its bottom, just right of the frame.
std::vector<QRect> graphAreas(const QImage& page)
{
    const int frameRight = kPageRight - 1120;
    const int shadowColumn = (frameRight + 35) / kTwipsPerPixel;
    std::vector<QRect> areas;
    int runStart = -1;
    for (int y = 0; y <= page.height(); ++y) {
        const bool grey = y < page.height() && page.pixelColor(shadowColumn, y) == QColor(192, 192, 192);
        if (grey && runStart < 0)
            runStart = y;
        if (!grey && runStart >= 0) {
            const int frameTop = runStart * kTwipsPerPixel - 70;
            // The area lies 560 below the frame's top and 700 above its bottom (3360 below the
            // top), 1540 right of the page's left edge and 560 left of the frame's right edge.
            // Inside it only the curves are drawn; the axes' ticks reach 60 into it.
            const QRect twips(QPoint(kPageLeft + 1540 + 100, frameTop + 560 + 30),
                              QPoint(frameRight - 560 - 30, frameTop + 3360 - 700 - 100));
            areas.emplace_back(twips.topLeft() / kTwipsPerPixel, twips.bottomRight() / kTwipsPerPixel);
            runStart = -1;
        }
    }
    return areas;
}

} // namespace

class ReportPdfTest : public VentilatorRunFixture {
protected:
    using Run = ProgramRun;
    using Save = std::function<std::shared_ptr<Nelvar::IXmlElement>(const std::shared_ptr<Nelvar::IXmlDocument>&)>;

    // Runs the host program on the fixture's registry.
    static Run nelvar(const QStringList& arguments)
    {
        return runProgram(QStringLiteral(NELVAR_PATH), arguments, 120'000);
    }

    // As the host runs a test: its filter asks for a service record, and the run context lists
    // the instruments.
    void runAsTheHostDoes()
    {
        std::dynamic_pointer_cast<host::TestFilter>(element->Filter())->setFlags(host::TestFilter::kServiceRecord);
        sequence->setInstruments(std::make_shared<host::Instruments>());
    }

    // The record that `save` makes, saved as NAME.xml and printed by `nelvar report` into
    // NAME.pdf, whose path is returned.
    QString printSaved(const QString& name, const Save& save)
    {
        const QString saved = folder.filePath(name + QStringLiteral(".xml"));
        const auto document = Nelvar::xmlService().CreateDocument();
        document->setDocumentElement(save(document));
        std::dynamic_pointer_cast<Nelvar::IXmlFile>(document)->Save(saved);
        EXPECT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
        const QString pdf = folder.filePath(name + QStringLiteral(".pdf"));
        printed = nelvar({QStringLiteral("report"), saved, QStringLiteral("--out"), pdf});
        EXPECT_EQ(printed.exitCode, 0) << printed.err.toStdString();
        return pdf;
    }

    Save savedElement()
    {
        return [this](const std::shared_ptr<Nelvar::IXmlDocument>& document) { return element->Save(document, 0); };
    }

    QTemporaryDir folder;
    Run printed;
};

// Two minutes against the simulated lung with the predefined trend at 5 s and a snapshot after a
// minute; the saved test element goes through `nelvar report` into a PDF.
TEST_F(ReportPdfTest, ASavedRunPrintsTheCurvesOfItsTrendsAndSnapshots)
{
    useSimulator();
    configuration()->setDuration(2);
    configuration()->TrendSettings()->setActive(true);
    configuration()->TrendSettings()->setInterval(5);
    raiseAt(100, &Events::StartTest);
    loop->at(61'000, [this] { result()->TakeSnapshot(0); });
    raiseAt(130'000, &Events::NextTest);
    perform();

    const auto trend = result()->Trends()->LastTrend();
    ASSERT_NE(trend, nullptr);
    ASSERT_GT(trend->SampleCount(), 10);
    for (const char* key : {"BRRA", "TIVO", "INPP"})
        trend->Parameter(QString::fromLatin1(key))->setPrintOnReport(true);
    ASSERT_EQ(result()->Snapshots()->Count(), 1);
    const auto snapshot = result()->Snapshots()->Item(1);
    snapshot->FlowTable()->setPrintOnReport(true);
    snapshot->PressureTable()->setPrintOnReport(true);

    const QString pdf = printSaved(QStringLiteral("result"), savedElement());
    EXPECT_EQ(printed.out,
              QStringLiteral("Printed %1 to %2 (2 pages)\n").arg(folder.filePath(QStringLiteral("result.xml")), pdf));

    std::vector<std::pair<const QImage*, QRect>> blocks;
    const auto pages = pdfPages(pdf, kDpi);
    ASSERT_EQ(pages.size(), 2u);
    for (const QImage& page : pages) {
        const auto areas = graphAreas(page);
        for (const QRect& area : areas)
            blocks.emplace_back(&page, area);
        // Beside the headings and blocks the right margin stays white, from above the first
        // frame to below the last (the tables above end just left of it).
        if (!areas.empty()) {
            const int top = areas.front().top() - 1400 / kTwipsPerPixel;
            const QRect margin(kPageRight / kTwipsPerPixel, top, 3,
                               areas.back().bottom() + 1200 / kTwipsPerPixel - top);
            EXPECT_EQ(inkedPixels(page, margin), 0) << "right margin from y " << top;
        }
    }
    // Three trend graphs and two snapshot channels, each with its curve drawn inside its area.
    ASSERT_EQ(blocks.size(), 5u);
    for (const auto& [page, area] : blocks)
        EXPECT_GT(inkedPixels(*page, area), 300) << "area at y " << area.top();
    for (int page = 1; page <= 2; ++page)
        EXPECT_TRUE(pdfText(pdf, page).contains(QStringLiteral("page %1 of 2").arg(page))) << "page " << page;
}

// A run of a lung at 80 breaths a minute against an upper limit of 60: the saved test element,
// and its result saved alone, print how the run ended, when and on which instrument.
TEST_F(ReportPdfTest, AFailedRunsReportSaysItFailedWhenAndOnWhichInstrument)
{
    simulator::SimulatorSettings settings;
    settings.lung.rateBpm = 80.0;
    useSimulator(settings);
    runAsTheHostDoes();
    const auto standard = element->Limits()->CreateStandard(QStringLiteral("Standard"), QStringLiteral("A"));
    for (const auto& limit : *standard->Limits()) {
        if (limit->Name() != QLatin1String("BRRA"))
            continue;
        const auto breathRate = std::dynamic_pointer_cast<host::Limit>(limit);
        breathRate->setValue(0, 60.0f);
        breathRate->setEnabled(0, true);
    }
    sequence->setLimitContext(element->Limits()->Standards()->Clone());
    raiseAt(10, &Events::StartTest);
    raiseAt(20'000, &Events::StopTest);
    raiseAt(21'000, &Events::NextTest);
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-999);
    perform();
    const QDateTime after = QDateTime::currentDateTime();
    ASSERT_EQ(result()->Status(), CResultVentilator::ersFail);

    const QString bareResult = pdfText(
        printSaved(QStringLiteral("result-item"), [this](const auto& document) { return result()->Save(document); }));
    for (const QString& text : {pdfText(printSaved(QStringLiteral("element"), savedElement())), bareResult}) {
        EXPECT_TRUE(text.contains(QStringLiteral("Ventilator test\n"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\nFailed\n"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Instrument: serial number ZT-100234, firmware 3.01")))
            << text.toStdString();
        const auto date
            = QRegularExpression(QStringLiteral("Date and time: (\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d)"))
                  .match(text);
        ASSERT_TRUE(date.hasMatch()) << text.toStdString();
        const QDateTime printedDate = QDateTime::fromString(date.captured(1), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        EXPECT_TRUE(printedDate >= before && printedDate <= after) << date.captured(1).toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("page 1 of 1"))) << text.toStdString();
    }
    EXPECT_FALSE(bareResult.contains(QStringLiteral("Expected results")));
}

// An instrument that never streams: the run is cut off, and its report says it did not pass, and
// why.
TEST_F(ReportPdfTest, ACutOffRunsReportSaysItDidNotPassWithItsComment)
{
    ScriptedInstrument instrument;
    serial::setConfiguredPort(QStringLiteral("scripted"));
    instrument.reply(QStringLiteral("IREM"), "$irem,Zeltor VT,ZT-1,3.01\r");
    runAsTheHostDoes();
    judgeWithoutLimits(*element->Limits());
    raiseAt(10, &Events::StartTest);
    raiseAt(5000, &Events::NextTest);
    perform();
    ASSERT_FALSE(result()->Comment().isEmpty());

    // The verdict wraps at the page's width.
    const QString text = pdfText(printSaved(QStringLiteral("cut-off"), savedElement())).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Not passed: It appears that the Zeltor unit has stopped streaming "
                                             "results. Test aborted. Time Elapsed: 00:00:00 Date and time: ")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Instrument: serial number ZT-1, firmware 3.01"))) << text.toStdString();
}

TEST_F(ReportPdfTest, AFileThatHoldsNoResultIsRefusedWithAMessage)
{
    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QString saved = folder.filePath(QStringLiteral("other.xml"));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<Sequence/>");
    file.close();
    const Run refused =
        nelvar({QStringLiteral("report"), saved, QStringLiteral("--out"), folder.filePath(QStringLiteral("x.pdf"))});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("neither a saved test element nor a result"))) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("x.pdf"))));
    EXPECT_EQ(nelvar({QStringLiteral("report"), saved}).exitCode, 2);
}
