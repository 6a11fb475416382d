#include "HostViews.h"
#include "ui/XStartTrendDialog.h"

#include "HostFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>

using namespace ZeltorTests;

// The dialog inside a shown view that, like the full-screen view, leaves on Esc.
class StartTrendDialogTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        view = std::make_unique<QWidget>();
        view->resize(800, 600);
        dialog = new XStartTrendDialog(view.get());
        auto* leave = new QShortcut(QKeySequence(Qt::Key_Escape), view.get());
        QObject::connect(leave, &QShortcut::activated, [this] { ++viewLeft; });
        view->show();
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    void TearDown() override
    {
        view.reset();
        HostFixture::TearDown();
    }

    // What the view does when the user asks for a new trend.
    void open(const QString& description = QStringLiteral("00:01:05"))
    {
        dialog->Initialize(description);
        dialog->show();
        dialog->setFocus();
        dialog->raise();
    }

    QLineEdit& box(const char* name) const
    {
        auto* box = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(box, nullptr) << name;
        return *box;
    }
    QLineEdit& description() const { return box("txtDescription"); }
    QLineEdit& interval() const { return box("txtInterval"); }
    // The user empties the box and types the text.
    static void retype(QLineEdit& box, const QString& text)
    {
        box.setFocus();
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_Backspace);
        QTest::keyClicks(&box, text);
    }

    std::unique_ptr<QWidget> view;
    XStartTrendDialog* dialog = nullptr;
    int viewLeft = 0;
};

TEST_F(StartTrendDialogTest, OpeningOffersTheDescriptionSelectedAndFifteenSeconds)
{
    EXPECT_TRUE(dialog->isHidden());
    open();
    EXPECT_TRUE(description().hasFocus());
    EXPECT_EQ(description().selectedText(), QStringLiteral("00:01:05"));
    EXPECT_EQ(interval().text(), QStringLiteral("15"));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("lblTitleBar"))->text(), QStringLiteral("Start a new trend"));
    EXPECT_EQ(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->text(), QStringLiteral("&Cancel"));
    const auto* help = dialog->findChild<Nelvar::XHelpText*>(QStringLiteral("xhtTrendIntervalHelp"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->Text(),
              QStringLiteral("Please provide a descriptive text and a sampling interval for the trend."
                             "\r\n\r\nIf no description is entered, the elapsed test-time will be used."));

    // The box selects its whole text whenever it is entered.
    interval().setFocus();
    EXPECT_EQ(interval().selectedText(), QStringLiteral("15"));
}

TEST_F(StartTrendDialogTest, TheIntervalBoxTakesOnlyDigitsAndBackspace)
{
    open();
    retype(interval(), QStringLiteral("3a-x .0"));
    EXPECT_EQ(interval().text(), QStringLiteral("30"));
    QTest::keyClick(&interval(), Qt::Key_Backspace);
    EXPECT_EQ(interval().text(), QStringLiteral("3"));
}

TEST_F(StartTrendDialogTest, EnterInEitherBoxAsksForTheTrendAndEmptiesTheDescription)
{
    QSignalSpy started(dialog, &XStartTrendDialog::StartNewTrend);
    open();
    retype(interval(), QStringLiteral("30"));
    description().setFocus();
    QTest::keyClick(&description(), Qt::Key_Return);
    ASSERT_EQ(started.count(), 1);
    EXPECT_EQ(started.at(0).at(0).toString(), QStringLiteral("00:01:05"));
    EXPECT_EQ(started.at(0).at(1).toInt(), 30);
    EXPECT_TRUE(description().text().isEmpty());
    EXPECT_FALSE(dialog->isHidden()) << "the view hides it once the trend has started";

    // An empty description is passed on as it is; the interval stays for the next trend.
    QTest::keyClick(&interval(), Qt::Key_Enter);
    ASSERT_EQ(started.count(), 2);
    EXPECT_EQ(started.at(1).at(0).toString(), QString());
    EXPECT_EQ(started.at(1).at(1).toInt(), 30);

    // A hidden dialog asks for nothing.
    dialog->hide();
    dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    EXPECT_EQ(started.count(), 2);
}

TEST_F(StartTrendDialogTest, EscClosesOnlyTheDialogAndKeepsBothTexts)
{
    QSignalSpy started(dialog, &XStartTrendDialog::StartNewTrend);
    for (const char* name : {"txtDescription", "txtInterval"}) {
        open();
        retype(description(), QStringLiteral("Recruitment"));
        retype(interval(), QStringLiteral("60"));
        QLineEdit& typedIn = box(name);
        typedIn.setFocus();
        QTest::keyClick(&typedIn, Qt::Key_Escape);
        EXPECT_TRUE(dialog->isHidden()) << name;
        EXPECT_EQ(description().text(), QStringLiteral("Recruitment"));
        EXPECT_EQ(interval().text(), QStringLiteral("60"));
        EXPECT_EQ(viewLeft, 0) << name << ": Esc must not leave the view";
    }
    EXPECT_EQ(started.count(), 0);

    open();
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_EQ(started.count(), 0);
}

// An interval the trend could not sample with is set back to 15 and selected; the dialog asks for
// no trend and keeps the description, so the user only confirms again.
TEST_F(StartTrendDialogTest, AnIntervalOutsideOneToTheLongLimitIsSetBackToFifteen)
{
    struct Case {
        const char* typed;
        int32_t interval; // 0: corrected
    };
    const Case cases[] = {
        {"", 0}, {"0", 0}, {"000", 0}, {"99999999999", 0}, {"2147483648", 0}, {"2147483647", 2147483647}, {"1", 1},
    };
    for (const Case& test : cases) {
        QSignalSpy started(dialog, &XStartTrendDialog::StartNewTrend);
        open(QStringLiteral("Night run"));
        retype(interval(), QString::fromLatin1(test.typed));
        QTest::keyClick(&interval(), Qt::Key_Return);
        if (test.interval == 0) {
            EXPECT_EQ(started.count(), 0) << test.typed;
            EXPECT_EQ(interval().text(), QStringLiteral("15")) << test.typed;
            EXPECT_EQ(interval().selectedText(), QStringLiteral("15")) << test.typed;
            EXPECT_EQ(description().text(), QStringLiteral("Night run")) << test.typed;
            // Confirming again starts the trend with the default.
            QTest::keyClick(&interval(), Qt::Key_Return);
            ASSERT_EQ(started.count(), 1) << test.typed;
            EXPECT_EQ(started.at(0).at(1).toInt(), 15) << test.typed;
        } else {
            ASSERT_EQ(started.count(), 1) << test.typed;
            EXPECT_EQ(started.at(0).at(1).toInt(), test.interval) << test.typed;
        }
        EXPECT_EQ(started.at(0).at(0).toString(), QStringLiteral("Night run")) << test.typed;
    }
}
