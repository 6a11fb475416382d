#include "VentilatorRunFixture.h"

#include "CSnapshotColl.h"
#include "CTrend.h"
#include "CTrendCollection.h"
#include "CTrendParameter.h"
#include "CWaveformData.h"
#include "CZeltorMeasurementTable.h"

#include "PdfPages.h"
#include "ProgramRun.h"

#include "HostServices.h"
#include "Xml.h"

#include <QProcess>
#include <QTemporaryDir>

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

    // Runs the host program on the fixture's registry.
    static Run nelvar(const QStringList& arguments)
    {
        return runProgram(QStringLiteral(NELVAR_PATH), arguments, 120'000);
    }

    QTemporaryDir folder;
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

    const QString saved = folder.filePath(QStringLiteral("result.xml"));
    const auto document = Nelvar::xmlService().CreateDocument();
    document->setDocumentElement(element->Save(document, 0));
    std::dynamic_pointer_cast<Nelvar::IXmlFile>(document)->Save(saved);

    ASSERT_EQ(nelvar({QStringLiteral("register")}).exitCode, 0);
    const QString pdf = folder.filePath(QStringLiteral("result.pdf"));
    const Run printed = nelvar({QStringLiteral("report"), saved, QStringLiteral("--out"), pdf});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    EXPECT_EQ(printed.out, QStringLiteral("Printed %1 to %2 (2 pages)\n").arg(saved, pdf));

    std::vector<std::pair<const QImage*, QRect>> blocks;
    const auto pages = pdfPages(pdf, kDpi);
    for (const QImage& page : pages)
        for (const QRect& area : graphAreas(page))
            blocks.emplace_back(&page, area);
    // Three trend graphs and two snapshot channels, each with its curve drawn inside its area.
    ASSERT_EQ(blocks.size(), 5u);
    for (const auto& [page, area] : blocks)
        EXPECT_GT(inkedPixels(*page, area), 300) << "area at y " << area.top();
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
