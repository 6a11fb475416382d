// The single-reading result's page: a view of the result's comment that edits nothing.

#include "PageInput.h"

#include "elements/CConfigZeltor.h"
#include "elements/CResultZeltor.h"
#include "data/CTrend.h"

#include "ui/CommentBox.h"
#include "ui/XDetailedResultZeltor.h"

#include "HostFixture.h"

#include "com/ClassRegistry.h"

#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace ZeltorTests;

namespace {

class DetailedResultZeltorTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        const auto leakage = std::make_shared<CConfigZeltor>();
        leakage->setTestKind(200);
        leakage->LoadDefaultSettings();
        result->InitializeResult(leakage, 200);
        result->setComment(QStringLiteral("Leak at the expiratory valve"));
    }

    static com::Value valueOf(const std::shared_ptr<com::Object>& object) { return com::Value(object); }
    static QPlainTextEdit& commentBox(const QWidget& page)
    {
        auto* box = page.findChild<QPlainTextEdit*>(QStringLiteral("txtComment"));
        if (!box)
            throw std::runtime_error("txtComment");
        return *box;
    }

    const std::shared_ptr<CResultZeltor> result = std::make_shared<CResultZeltor>();
};

} // namespace

TEST_F(DetailedResultZeltorTest, TheResultsPageShowsItsComment)
{
    com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
    const auto dialog = result->CreateDialog();
    ASSERT_TRUE(dialog);
    QWidget host;
    dialog->Dock(&host);
    const auto* shown = host.findChild<XDetailedResultZeltor*>();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(commentBox(*shown).toPlainText(), QStringLiteral("Leak at the expiratory valve"));
    EXPECT_TRUE(dialog->Locked());
    dialog->setLocked(false);
    EXPECT_TRUE(dialog->Locked());
    dialog->Unload();
}

// A result whose comment is one word of ten megabytes opens at once, the comment shown whole.
TEST_F(DetailedResultZeltorTest, AHugeOneWordCommentOpensShownWhole)
{
    const QString comment(10'000'000, u'x');
    result->setComment(comment);
    com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
    const auto dialog = result->CreateDialog();
    ASSERT_TRUE(dialog);
    QWidget host;
    host.resize(600, 400);
    dialog->Dock(&host);
    dialog->Move(0, 0, 600, 400);
    dialog->Show(0);
    host.show();
    host.grab();
    const auto* box = host.findChild<CommentBox*>(QStringLiteral("txtComment"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->comment(), comment);
    dialog->Unload();
}

// Anything but a result leaves the box as it was, and raises nothing.
TEST_F(DetailedResultZeltorTest, InitializeWithoutAResultLeavesTheBoxAsItWas)
{
    XDetailedResultZeltor page;
    EXPECT_NO_THROW(page.Initialize(com::Value()));
    EXPECT_EQ(commentBox(page).toPlainText(), QString());
    EXPECT_NO_THROW(page.Initialize(valueOf(std::make_shared<CTrend>())));
    EXPECT_EQ(commentBox(page).toPlainText(), QString());

    page.Initialize(valueOf(result));
    EXPECT_NO_THROW(page.Initialize(valueOf(std::make_shared<CTrend>())));
    EXPECT_NO_THROW(page.Initialize(com::Value()));
    EXPECT_EQ(commentBox(page).toPlainText(), QStringLiteral("Leak at the expiratory valve"));
}

// The page keeps no callback and no lock, and whatever is typed stays in the box.
TEST_F(DetailedResultZeltorTest, ThePageIsAViewThatKeepsNothingAndWritesNothingBack)
{
    XDetailedResultZeltor page;
    const auto callBack = std::make_shared<CountingCallBack>();
    page.setCallBack(callBack);
    EXPECT_EQ(page.CallBack(), nullptr);
    EXPECT_TRUE(page.Locked());
    page.setLocked(false);
    EXPECT_TRUE(page.Locked());

    page.Initialize(valueOf(result));
    page.show();
    QPlainTextEdit& box = commentBox(page);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&box, QStringLiteral(" and the inspiratory one"));
    EXPECT_EQ(box.toPlainText(), QStringLiteral("Leak at the expiratory valve and the inspiratory one"));
    EXPECT_EQ(result->Comment(), QStringLiteral("Leak at the expiratory valve"));
    EXPECT_EQ(callBack->changes, 0);
}
