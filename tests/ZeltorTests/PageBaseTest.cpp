#include "RecordingPage.h"
#include "views/HostCallBack.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(PageBaseTest, ReportsChangeOnlyWithACallBackAndNotWhileLoading)
{
    RecordingPage page;
    EXPECT_NO_THROW(page.edit()) << "no callback: nothing to tell";

    QStringList raised;
    page.setCallBack(
        std::make_shared<host::HostCallBack>([&](const QString& name, const std::vector<com::Value>& args) {
            raised.append(QStringLiteral("%1/%2").arg(name).arg(args.size()));
        }));
    page.edit();
    page.fill();
    EXPECT_EQ(raised, QStringList{QStringLiteral("Change/0")});
    page.edit();
    EXPECT_EQ(raised.size(), 2);
}

TEST(PageBaseTest, ALoadingScopeRestoresTheFlagItFound)
{
    RecordingPage page;
    {
        const auto outer = page.startLoading();
        {
            const auto inner = page.startLoading();
            EXPECT_TRUE(page.loading());
        }
        EXPECT_TRUE(page.loading()) << "the inner scope ends inside the outer one";
    }
    EXPECT_FALSE(page.loading());
}

TEST(PageBaseTest, ReactsToLockedOnlyWhenItChanges)
{
    RecordingPage page;
    for (const bool locked : {false, true, true, false, false, true})
        page.setLocked(locked);
    EXPECT_EQ(page.lockReactions, (QList<bool>{true, false, true}));
    EXPECT_TRUE(page.Locked());
}

TEST(PageBaseTest, ThePageIsItsWindowAndShowsWithinItsContainer)
{
    QWidget container;
    auto* page = new RecordingPage;
    page->setParent(&container);
    page->hide();
    EXPECT_EQ(page->hWnd(), page);
    EXPECT_FALSE(page->Visible());
    page->setVisible(true);
    EXPECT_TRUE(page->Visible()) << "the container itself is not shown";
    page->hide();
    EXPECT_FALSE(page->Visible());
}

TEST(PageBaseTest, SetFocusGoesToTheFirstControlThatTakesIt)
{
    RecordingPage page;
    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(new QLabel(QStringLiteral("label")));
    auto* hiddenBox = new QLineEdit;
    layout->addWidget(hiddenBox);
    hiddenBox->hide();
    auto* box = new QLineEdit;
    layout->addWidget(box);
    page.SetFocus();
    EXPECT_EQ(page.focusWidget(), box);

    RecordingPage empty;
    empty.SetFocus();
    EXPECT_EQ(empty.focusWidget(), &empty);
}

} // namespace
