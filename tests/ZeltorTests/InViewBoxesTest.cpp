#include "ui/XNonObtrusiveMsg.h"
#include "ui/XQuery.h"

#include "HostFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace ZeltorTests;

class InViewBoxesTest : public HostFixture {
protected:
    QWidget view;
};

// Which keys answer a question or a notice: each key with the events it raises.
TEST_F(InViewBoxesTest, QueryKeysAnswerOnlyForTheirStyle)
{
    struct Case {
        int32_t style;
        Qt::Key key;
        int ok;
        int yes;
        int no;
    };
    const Case cases[] = {
        {XQuery::eqsYesNo, Qt::Key_Y, 0, 1, 0}, {XQuery::eqsYesNo, Qt::Key_N, 0, 0, 1},
        {XQuery::eqsYesNo, Qt::Key_O, 0, 0, 0}, {XQuery::eqsOK, Qt::Key_O, 1, 0, 0},
        {XQuery::eqsOK, Qt::Key_Y, 0, 0, 0},    {XQuery::eqsOK, Qt::Key_N, 0, 0, 0},
        // Enter clicks the button that has the focus.
        {XQuery::eqsYesNo, Qt::Key_Return, 0, 1, 0}, {XQuery::eqsOK, Qt::Key_Enter, 1, 0, 0},
    };
    for (const Case& test : cases) {
        XQuery query(&view);
        QSignalSpy ok(&query, &XQuery::OKClicked);
        QSignalSpy yes(&query, &XQuery::YesClicked);
        QSignalSpy no(&query, &XQuery::NoClicked);
        bool hiddenWhenAnswered = false;
        const auto noteHidden = [&] { hiddenWhenAnswered = query.isHidden(); };
        QObject::connect(&query, &XQuery::OKClicked, noteHidden);
        QObject::connect(&query, &XQuery::YesClicked, noteHidden);
        QObject::connect(&query, &XQuery::NoClicked, noteHidden);
        query.Show(QStringLiteral("Delete the trend?"), test.style, QStringLiteral("Please confirm"));
        // The key goes to the button that has the focus, and from there to the box.
        QTest::keyClick(query.focusWidget(), test.key);
        const std::string label = std::to_string(test.style) + " key " + std::to_string(test.key);
        EXPECT_EQ(ok.count(), test.ok) << label;
        EXPECT_EQ(yes.count(), test.yes) << label;
        EXPECT_EQ(no.count(), test.no) << label;
        const bool answered = test.ok + test.yes + test.no > 0;
        EXPECT_EQ(query.isHidden(), answered) << label;
        EXPECT_EQ(hiddenWhenAnswered, answered) << label;
    }
}

TEST_F(InViewBoxesTest, QueryShowsTheButtonsOfItsStyleAndItsTexts)
{
    XQuery query(&view);
    const auto button = [&](const char* name) { return query.findChild<QPushButton*>(QString::fromLatin1(name)); };
    EXPECT_EQ(button("cmdYes")->text(), QStringLiteral("&Yes"));
    EXPECT_EQ(query.findChild<QLabel*>(QStringLiteral("lblTitleBar"))->text(), QStringLiteral("Please confirm"));

    query.Show(QStringLiteral("Stop the trend?"), XQuery::eqsYesNo, QStringLiteral("Trend"));
    EXPECT_FALSE(query.isHidden());
    EXPECT_TRUE(button("cmdOK")->isHidden());
    EXPECT_FALSE(button("cmdYes")->isHidden());
    EXPECT_FALSE(button("cmdNo")->isHidden());
    EXPECT_EQ(query.findChild<QLabel*>(QStringLiteral("lblMessage"))->text(), QStringLiteral("Stop the trend?"));
    EXPECT_EQ(query.findChild<QLabel*>(QStringLiteral("lblTitleBar"))->text(), QStringLiteral("Trend"));

    QSignalSpy no(&query, &XQuery::NoClicked);
    QTest::mouseClick(button("cmdNo"), Qt::LeftButton);
    EXPECT_EQ(no.count(), 1);
    EXPECT_TRUE(query.isHidden());

    query.Show(QStringLiteral("Saved."), XQuery::eqsOK, QStringLiteral("Note"));
    EXPECT_FALSE(button("cmdOK")->isHidden());
    EXPECT_TRUE(button("cmdYes")->isHidden());
    // Another style keeps the buttons as they are.
    query.Show(QStringLiteral("Again."), 7, QStringLiteral("Note"));
    EXPECT_FALSE(button("cmdOK")->isHidden());
    EXPECT_TRUE(button("cmdNo")->isHidden());
}

// The full-screen view's notice: shown for 2500 ms centred over the view, then gone by itself.
TEST_F(InViewBoxesTest, NoticeHidesItselfWhenItsTimeIsUp)
{
    view.resize(1000, 600);
    XNonObtrusiveMsg notice(&view);
    notice.Show(QStringLiteral("You are already viewing this data in a waveform."),
                QStringLiteral("Zeltor Ventilator Tester"), 2500, view);
    EXPECT_FALSE(notice.isHidden());
    EXPECT_EQ(notice.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Zeltor Ventilator Tester "));
    EXPECT_EQ(notice.geometry().center(), QRect(0, 0, 1000, 600).center());

    loop->advance(2499);
    EXPECT_FALSE(notice.isHidden());
    loop->advance(2);
    EXPECT_TRUE(notice.isHidden());
    loop->advance(10'000);
    EXPECT_TRUE(notice.isHidden());
}

TEST_F(InViewBoxesTest, ANoticeShownAgainTakesTheNewTextAndTime)
{
    XNonObtrusiveMsg notice(&view);
    notice.Show(QStringLiteral("First"), QStringLiteral("Title"), 1000, view);
    loop->advance(800);
    notice.Show(QStringLiteral("Second"), QStringLiteral("Title"), 1000, view);
    EXPECT_EQ(notice.findChild<QLabel*>(QStringLiteral("lblMsg"))->text(), QStringLiteral("Second"));
    loop->advance(900);
    EXPECT_FALSE(notice.isHidden());
    loop->advance(101);
    EXPECT_TRUE(notice.isHidden());

    notice.Show(QStringLiteral("Third"), QStringLiteral("Title"), 1000, view);
    notice.Hide();
    EXPECT_TRUE(notice.isHidden());
}
