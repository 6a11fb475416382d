#include "views/DialogDock.h"
#include "views/HostCallBack.h"

#include "DialogHostForm.h"
#include "RecordingPage.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A form with a recording page, ready for a dock.
struct PagedForm {
    PagedForm()
    {
        page = std::dynamic_pointer_cast<RecordingPage>(
            form->CreateSetupCtrl(QString::fromLatin1(RecordingPage::className)));
        formWindow = page ? page->parentWidget() : nullptr;
    }
    std::shared_ptr<Zeltor::DialogHostForm> form = std::make_shared<Zeltor::DialogHostForm>();
    std::shared_ptr<RecordingPage> page;
    QWidget* formWindow = nullptr;
};

class DialogDockTest : public ::testing::Test {
protected:
    RecordingPage::Registration registration;
    QWidget window;
    host::DialogDock* dock = new host::DialogDock(&window);
};

TEST_F(DialogDockTest, DocksShowsAndFitsThePage)
{
    PagedForm shown;
    ASSERT_NE(shown.page, nullptr);
    dock->resize(320, 240);
    dock->setDialog(shown.form);
    EXPECT_TRUE(shown.form->IsDocked());
    EXPECT_EQ(shown.page->parentWidget(), dock);
    EXPECT_TRUE(shown.page->isVisibleTo(dock));
    EXPECT_EQ(shown.page->geometry(), QRect(0, 0, 320, 240));

    window.show(); // a hidden widget hears of its new size only when it is shown
    dock->resize(500, 100);
    EXPECT_EQ(shown.page->geometry(), QRect(0, 0, 500, 100));

    shown.page->calls.clear();
    dock->setLocked(true);
    dock->refresh();
    EXPECT_EQ(shown.page->calls, (QStringList{QStringLiteral("setLocked true"), QStringLiteral("Refresh")}));
}

TEST_F(DialogDockTest, ReplacingOrRemovingTheDialogUnloadsIt)
{
    PagedForm first;
    PagedForm second;
    dock->setDialog(first.form);
    dock->setDialog(second.form);
    EXPECT_EQ(first.page->parentWidget(), first.formWindow);
    EXPECT_FALSE(first.form->IsDocked());
    EXPECT_EQ(second.page->parentWidget(), dock);

    dock->setDialog(second.form);
    EXPECT_EQ(second.page->parentWidget(), dock) << "the dialog shown already stays";

    dock->setDialog(nullptr);
    EXPECT_EQ(dock->dialog(), nullptr);
    EXPECT_EQ(second.page->parentWidget(), second.formWindow);
    EXPECT_TRUE(dock->findChildren<QWidget*>().isEmpty());
}

TEST_F(DialogDockTest, ADockThatGoesGivesItsPageBackFirst)
{
    PagedForm held;
    dock->setDialog(held.form);
    delete dock;
    dock = nullptr;
    EXPECT_FALSE(held.form->IsDocked());
    EXPECT_EQ(held.page->parentWidget(), held.formWindow);
    const std::weak_ptr<RecordingPage> watched = held.page;
    held.page.reset();
    EXPECT_FALSE(watched.expired()) << "the page lives as long as its form";
    held.form.reset();
    EXPECT_TRUE(watched.expired());
}

TEST_F(DialogDockTest, ADockGoingWithItsWindowReleasesItsDialog)
{
    auto owner = std::make_unique<QWidget>();
    auto* ownedDock = new host::DialogDock(owner.get());
    std::weak_ptr<RecordingPage> watched;
    {
        PagedForm dropped;
        ownedDock->setDialog(dropped.form);
        watched = dropped.page;
    }
    EXPECT_FALSE(watched.expired()) << "the dock holds the dialog";
    owner.reset();
    EXPECT_TRUE(watched.expired());
}

TEST(HostCallBackTest, InformsTheHostThenEachListenerUnchanged)
{
    QStringList heard;
    const auto callBack
        = std::make_shared<host::HostCallBack>([&](const QString& name, const std::vector<com::Value>& args) {
              heard.append(QStringLiteral("host %1 %2").arg(name).arg(args.size()));
              throw com::Error::invalidCall();
          });
    const auto failing = callBack->listen([&](const QString& name, const std::vector<com::Value>&) {
        heard.append(QStringLiteral("first %1").arg(name));
        throw com::Error::invalidCall();
    });
    auto ended = callBack->listen([&](const QString& name, const std::vector<com::Value>&) {
        heard.append(QStringLiteral("ended %1").arg(name));
    });
    const auto last = callBack->listen([&](const QString& name, const std::vector<com::Value>& args) {
        heard.append(QStringLiteral("last %1 %2").arg(name, args.at(1).toString()));
    });
    EXPECT_NO_THROW(callBack->RaiseEvent(QStringLiteral("Change"), {com::Value(1), com::Value("two")}));
    ended.reset();
    callBack->RaiseEvent(QStringLiteral("Again"), {com::Value(1), com::Value("2")});
    EXPECT_EQ(
        heard,
        (QStringList{QStringLiteral("host Change 2"), QStringLiteral("first Change"), QStringLiteral("ended Change"),
                     QStringLiteral("last Change two"), QStringLiteral("host Again 2"), QStringLiteral("first Again"),
                     QStringLiteral("last Again 2")}));
}

TEST(HostCallBackTest, AListenerMayEndOthersOrTheCallBackWhileInformed)
{
    auto callBack = std::make_shared<host::HostCallBack>();
    std::unique_ptr<Nelvar::CallBackPipe::Subscription> second;
    int secondHeard = 0;
    const auto first = callBack->listen([&](const QString&, const std::vector<com::Value>&) {
        second.reset();
        callBack.reset();
    });
    second = callBack->listen([&](const QString&, const std::vector<com::Value>&) { ++secondHeard; });
    callBack->RaiseEvent(QStringLiteral("Change"), {});
    EXPECT_EQ(callBack, nullptr);
    EXPECT_EQ(secondHeard, 0);
}

} // namespace
