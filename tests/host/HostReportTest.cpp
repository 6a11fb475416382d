#include "CaughtError.h"
#include "PdfPages.h"

#include "report/HostReport.h"
#include "report/PageNumbering.h"
#include "report/ReportFontFamilies.h"
#include "report/TableText.h"

#include "HostErrors.h"

#include "com/Error.h"

#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

template <typename Statement>
int32_t raisedNumber(Statement&& statement)
{
    try {
        statement();
    } catch (const com::Error& error) {
        return error.number();
    }
    return 0;
}

// A report into a PDF of a fresh folder.
class HostReportTest : public ::testing::Test {
protected:
    QString pdfPath() const { return m_folder.filePath(QStringLiteral("report.pdf")); }

    QTemporaryDir m_folder;
    std::shared_ptr<host::HostReport> report = std::make_shared<host::HostReport>(pdfPath());
};

} // namespace

TEST(TableTextTest, ColumnsCarryAlignmentLineAndRuleFlagsAndWidth)
{
    const auto columns = host::parseColumnFormat(QStringLiteral("<+560|<2240|>+1400|^+!1400;"));
    ASSERT_EQ(columns.size(), 4u);
    using Alignment = host::TableColumn::Alignment;
    EXPECT_EQ(columns[0].alignment, Alignment::Left);
    EXPECT_TRUE(columns[0].singleLine);
    EXPECT_EQ(columns[1].width, 2240);
    EXPECT_FALSE(columns[1].singleLine);
    EXPECT_EQ(columns[2].alignment, Alignment::Right);
    EXPECT_EQ(columns[3].alignment, Alignment::Centre);
    EXPECT_TRUE(columns[3].ruleBefore);
    EXPECT_FALSE(columns[2].ruleBefore);
    EXPECT_EQ(columns[3].width, 1400);

    for (const char* bad : {"<", "<+x560", "560|>", "?100"})
        EXPECT_EQ(raisedNumber([&] { host::parseColumnFormat(QString::fromLatin1(bad)); }), com::errInvalidCall) << bad;
}

TEST(TableTextTest, RowsSplitAtSemicolonsAndCellsAtBarsWithTheirMarkupRemoved)
{
    const auto rows = host::parseTableRows(QStringLiteral("|{\\i\\b Result:}|{\\b Max}|plain;|Breath rate      |15.10;"));
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[0].size(), 4u);
    EXPECT_EQ(rows[0][0].text, QString());
    EXPECT_EQ(rows[0][1].text, QStringLiteral("Result:"));
    EXPECT_TRUE(rows[0][1].bold);
    EXPECT_TRUE(rows[0][1].italic);
    EXPECT_TRUE(rows[0][2].bold);
    EXPECT_FALSE(rows[0][2].italic);
    EXPECT_FALSE(rows[0][3].bold);
    EXPECT_EQ(rows[1][1].text, QStringLiteral("Breath rate      "));
    EXPECT_EQ(rows[1][2].text, QStringLiteral("15.10"));
    EXPECT_TRUE(host::parseTableRows(QString()).empty());
}

TEST(ReportFontFamiliesTest, NamedTypefacesPrintInAFamilyTheMachineHas)
{
    for (const char* name : {"Arial", "Verdana"}) {
        const QString family = host::reportFontFamily(QString::fromLatin1(name));
        EXPECT_TRUE(QFontDatabase::hasFamily(family)) << name << " -> " << family.toStdString();
    }
    EXPECT_EQ(host::reportFontFamily(QStringLiteral("No Such Face")), QStringLiteral("No Such Face"));
}

TEST_F(HostReportTest, PagesAreA4WithTwoCentimetreMarginsInTwips)
{
    int32_t left = 0, right = 0, bottom = 0, width = 0;
    report->PageLeft(Nelvar::IReport::kCurrentPage, left);
    report->PageRight(Nelvar::IReport::kCurrentPage, right);
    report->PageBottom(1, bottom);
    report->PrintWidth(10, width);
    EXPECT_EQ((std::vector<int32_t>{left, right, bottom, width, report->CurrentY(), report->CurrentX()}),
              (std::vector<int32_t>{1134, 10772, 15704, 9638, 1134, 1134}));
    EXPECT_EQ(raisedNumber([&] { report->PrintWidth(3, width); }), com::errInvalidCall);
    EXPECT_EQ(raisedNumber([&] { report->PageLeft(2, left); }), com::errInvalidCall);

    report->setCurrentY(9000);
    report->NewPage();
    EXPECT_EQ(report->PageCount(), 2);
    EXPECT_EQ(report->CurrentY(), 1134);
    report->PageLeft(2, left);
    EXPECT_EQ(left, 1134);
}

TEST_F(HostReportTest, TextMeasuresLikeTheNamedTypeface)
{
    report->Font()->setName(QStringLiteral("Arial"));
    report->Font()->setSize(7.0f);
    int32_t width = 0;
    report->TextWidth(QStringLiteral("00:00:00"), width);
    // Six digits of 0.556 em and two colons of 0.278 em at 7 points.
    EXPECT_NEAR(width, 545, 5);
    int32_t oneLine = 0, twoLines = 0;
    report->TextHeight(QStringLiteral("0"), oneLine);
    report->TextHeight(QStringLiteral("Minimum values\r\nMaximum values"), twoLines);
    EXPECT_EQ(twoLines, 2 * oneLine);
    EXPECT_NEAR(oneLine, 160, 10);
}

TEST_F(HostReportTest, AFittedTextBoxMovesThePrintPositionBelowIt)
{
    report->setCurrentY(2000);
    report->PrintText(QStringLiteral("Axis"), 2000, 2000, 500, 200, true, false, false);
    EXPECT_EQ(report->CurrentY(), 2000);
    int32_t height = 0;
    report->TextHeight(QStringLiteral("Snapshots"), height);
    report->PrintText(QStringLiteral("Snapshots"), report->CurrentX(), 2000, 100, 100, true, false, true);
    EXPECT_EQ(report->CurrentY(), 2000 + height);
}

TEST_F(HostReportTest, TablesPrintBelowThePrintPositionAndRunOntoFurtherPages)
{
    const QString format = QStringLiteral("<+560|<2240|>+1500|^+!1500;");
    const QString header = QStringLiteral("|{\\i\\b Result:}|{\\i\\b Value}|{\\i\\b Unit};");
    report->PrintTable(format, header, QStringLiteral("|Breath rate|15.00|BPM;|Tidal volume|0.50|l;"), 0, 0, 0);
    const int32_t belowTwoRows = report->CurrentY();
    EXPECT_GT(belowTwoRows, 1134 + 3 * 150);
    EXPECT_LT(belowTwoRows, 1134 + 3 * 400);
    EXPECT_EQ(report->PageCount(), 1);

    QString body;
    for (int row = 0; row < 200; ++row)
        body += QStringLiteral("|Row %1|%1.00|BPM;").arg(row);
    report->setTableOptionC(1);
    report->PrintTable(format, header, body, 0, 0, 0);
    EXPECT_GE(report->PageCount(), 3);
    // A table whose header and first row no longer fit starts on the next page.
    const int32_t pages = report->PageCount();
    report->setCurrentY(15500);
    report->PrintTable(format, header, QStringLiteral("|Breath rate|15.00|BPM;"), 0, 0, 0);
    EXPECT_EQ(report->PageCount(), pages + 1);
    EXPECT_LT(report->CurrentY(), 1134 + 3 * 400);
    EXPECT_EQ(raisedNumber([&] { report->PrintTable(QStringLiteral("<+x"), header, body, 0, 0, 0); }),
              com::errInvalidCall);
}

TEST_F(HostReportTest, DrawingLandsOnThePdfPageWhereItsTwipsSay)
{
    report->setFillStyle(Nelvar::IReportPage::efsSolid);
    report->setFillColor(0xC0C0C0);
    report->Rectangle(2000, 2000, 4000, 3000, 0, 0);
    report->setDrawStyle(Nelvar::IReportPage::edsDot);
    for (int32_t x = 2000; x < 8000; x += 100)
        report->Line(x, 5000, x + 100, 5000);
    report->setDrawStyle(Nelvar::IReportPage::edsSolid);
    report->DrawLine(2000, 6000, 8000, 6000);
    report->finish();

    QFile pdf(pdfPath());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4).startsWith("%PDF"));
    // At 144 dots per inch a pixel is 10 twips.
    const auto pages = pdfPages(pdfPath(), 144);
    ASSERT_EQ(pages.size(), 1u);
    const QImage& page = pages.front();
    EXPECT_EQ(page.pixelColor(300, 250), QColor(192, 192, 192));
    EXPECT_EQ(page.pixelColor(300, 400), QColor(Qt::white));
    // The dotted line leaves gaps; the solid one does not.
    const int dotted = inkedPixels(page, QRect(220, 499, 560, 3));
    const int solid = inkedPixels(page, QRect(220, 599, 560, 3));
    EXPECT_GT(dotted, 100);
    EXPECT_LT(dotted, solid / 2);
}

TEST_F(HostReportTest, NothingPrintsOnOrBeyondThePrintableAreasRightAndBottomEdges)
{
    report->Line(10772, 3000, 10772, 9000);
    report->Line(2000, 15704, 8000, 15704);
    report->Line(10672, 3000, 10672, 9000);
    report->finish();
    // At 144 dots per inch a pixel is 10 twips.
    const auto pages = pdfPages(pdfPath(), 144);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(inkedPixels(pages.front(), QRect(1075, 300, 5, 600)), 0);
    EXPECT_EQ(inkedPixels(pages.front(), QRect(200, 1568, 600, 5)), 0);
    EXPECT_GT(inkedPixels(pages.front(), QRect(1065, 300, 5, 600)), 500);
}

TEST_F(HostReportTest, ANumberedReportPrintsTwiceAndNumbersEveryPageOfTheTotal)
{
    int runs = 0;
    const QString numbered = m_folder.filePath(QStringLiteral("numbered.pdf"));
    const int32_t pages = host::printNumberedReport(numbered, 0, 0, [&](const std::shared_ptr<Nelvar::IReport>& page) {
        ++runs;
        page->NewPage();
        page->NewPage();
    });
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(pages, 3);
    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(pdfText(numbered, page).simplified(), QStringLiteral("page %1 of 3").arg(page));
    EXPECT_EQ(raisedNumber([&] {
                  host::printNumberedReport(m_folder.filePath(QStringLiteral("missing/numbered.pdf")), 0, 0,
                                            [&](const std::shared_ptr<Nelvar::IReport>&) { ++runs; });
              }),
              host::errors::kPathFileAccess);
    EXPECT_EQ(runs, 2) << "nothing prints for a file that cannot be written";
}

namespace {

// The messages Qt gives while the catcher lives, in place of printing them.
class QtMessages {
public:
    QtMessages() { s_previous = qInstallMessageHandler(&QtMessages::catchMessage); }
    ~QtMessages() { qInstallMessageHandler(s_previous); }
    QtMessages(const QtMessages&) = delete;
    QtMessages& operator=(const QtMessages&) = delete;

    static inline QStringList caught;

private:
    static void catchMessage(QtMsgType, const QMessageLogContext&, const QString& message) { caught << message; }
    static inline QtMessageHandler s_previous = nullptr;
};

} // namespace

// The error says why the file cannot be written, and Qt has nothing to add to it.
TEST_F(HostReportTest, AReportThatCannotBeWrittenRaisesFileAccessWithTheReason)
{
    QtMessages::caught.clear();
    const QtMessages messages;
    const com::Error error
        = caughtError([&] { host::HostReport(m_folder.filePath(QStringLiteral("missing/report.pdf"))); });
    EXPECT_EQ(error.number(), host::errors::kPathFileAccess);
    EXPECT_TRUE(error.description().endsWith(
        QStringLiteral("missing/report.pdf\" cannot be written: No such file or directory")))
        << error.description().toStdString();
    EXPECT_TRUE(QtMessages::caught.isEmpty()) << QtMessages::caught.join(u'\n').toStdString();
}
