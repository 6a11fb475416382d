#include "ui/FDialogWrapper.h"

#include "RecordingPage.h"
#include "views/HostCallBack.h"

#include "com/Error.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <vector>

namespace {

using Event = std::pair<QString, std::vector<com::Value>>;

// A form of the test library with a recording page, and a host window to dock it into.
class FDialogWrapperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        page = std::dynamic_pointer_cast<RecordingPage>(
            form->CreateSetupCtrl(QString::fromLatin1(RecordingPage::className)));
        ASSERT_NE(page, nullptr);
        formWindow = page->parentWidget();
        ASSERT_NE(formWindow, nullptr);
        hostWindow.resize(400, 300);
    }

    RecordingPage::Registration registration;
    QWidget hostWindow;
    std::shared_ptr<ZeltorTests::FDialogWrapper> form = std::make_shared<ZeltorTests::FDialogWrapper>();
    std::shared_ptr<RecordingPage> page;
    QWidget* formWindow = nullptr;
};

// Each IDialog member that the form passes to its page, with the call the page receives.
struct Forwarded {
    const char* member;
    std::function<void(Nelvar::IDialog&)> call;
    QString pageCall;
};

const std::vector<Forwarded>& forwardedMembers()
{
    static const std::vector<Forwarded> members = {
        {"CallBack get", [](Nelvar::IDialog& d) { (void)d.CallBack(); }, QStringLiteral("CallBack")},
        {"CallBack set", [](Nelvar::IDialog& d) { d.setCallBack(std::make_shared<host::HostCallBack>()); },
         QStringLiteral("setCallBack")},
        {"Locked get", [](Nelvar::IDialog& d) { (void)d.Locked(); }, QStringLiteral("Locked")},
        {"Locked let", [](Nelvar::IDialog& d) { d.setLocked(true); }, QStringLiteral("setLocked true")},
        {"Initialize", [](Nelvar::IDialog& d) { d.Initialize(com::Value("data")); }, QStringLiteral("Initialize data")},
        {"Refresh", [](Nelvar::IDialog& d) { d.Refresh(); }, QStringLiteral("Refresh")},
        {"SetFocus", [](Nelvar::IDialog& d) { d.SetFocus(); }, QStringLiteral("SetFocus")},
    };
    return members;
}

// The members that act on windows and never call the page.
void driveWindowMembers(Nelvar::IDialog& dialog, QWidget* host)
{
    (void)dialog.IsDocked();
    dialog.Hide();
    dialog.Show(1);
    dialog.Move(1, 2, 30, 40);
    dialog.Dock(host);
    dialog.UnDock();
}

TEST_F(FDialogWrapperTest, ForwardsEachMemberToThePageDockedOrNot)
{
    for (const bool docked : {false, true}) {
        if (docked)
            form->Dock(&hostWindow);
        for (const auto& member : forwardedMembers()) {
            page->calls.clear();
            member.call(*form);
            EXPECT_EQ(page->calls, QStringList{member.pageCall}) << member.member << (docked ? " docked" : "");
        }
    }
    page->calls.clear();
    driveWindowMembers(*form, &hostWindow);
    EXPECT_TRUE(page->calls.isEmpty()) << page->calls.join(u',').toStdString();
}

TEST_F(FDialogWrapperTest, GetsAreThePagesAnswers)
{
    const auto callBack = std::make_shared<host::HostCallBack>();
    form->setCallBack(callBack);
    form->setLocked(true);
    EXPECT_EQ(form->CallBack(), callBack);
    EXPECT_EQ(page->CallBack(), callBack);
    EXPECT_TRUE(form->Locked());
    EXPECT_EQ(form->SetupControl(), page);
}

TEST_F(FDialogWrapperTest, OnlyInitializePassesOnAFailingPage)
{
    page->failing = true;
    for (const auto& member : forwardedMembers()) {
        if (member.pageCall.startsWith(u"Initialize"))
            continue;
        EXPECT_NO_THROW(member.call(*form)) << member.member;
    }
    EXPECT_EQ(form->CallBack(), nullptr);
    EXPECT_FALSE(form->Locked());
    try {
        form->Initialize(com::Value("data"));
        FAIL() << "the page's error was not passed on";
    } catch (const com::Error& error) {
        EXPECT_EQ(error.number(), com::errInvalidCall);
        EXPECT_EQ(error.source(), QStringLiteral("RecordingPage"));
        EXPECT_EQ(error.description(), QStringLiteral("Initialize data"));
    }
    EXPECT_NO_THROW(form->InitializeQuietly(com::Value("data")));
    EXPECT_EQ(page->calls.last(), QStringLiteral("Initialize data"));
}

TEST(FDialogWrapperCreation, WithoutAPageEveryMemberDoesNothing)
{
    const RecordingPage::Registration registration;
    QWidget host;
    for (const QString& className : {QString(), QStringLiteral("ZeltorTests.XNoSuchPage")}) {
        ZeltorTests::FDialogWrapper form;
        EXPECT_EQ(form.CreateSetupCtrl(className), nullptr) << className.toStdString();
        EXPECT_EQ(form.SetupControl(), nullptr);
        for (const auto& member : forwardedMembers())
            EXPECT_NO_THROW(member.call(form)) << member.member;
        EXPECT_NO_THROW(driveWindowMembers(form, &host));
        EXPECT_NO_THROW(form.Unload());
    }
}

TEST(FDialogWrapperCreation, ThePageIsFoundByItsNameInAnyCaseAndMustBeAPage)
{
    const RecordingPage::Registration registration;
    ZeltorTests::FDialogWrapper form;
    EXPECT_NE(form.CreateSetupCtrl(QStringLiteral("Zeltortests.xrecordingpage")), nullptr);
    EXPECT_EQ(form.CreateSetupCtrl(QString::fromLatin1(RecordingPage::className)), nullptr) << "a form holds one page";

    com::ClassRegistry::instance().add(
        {QStringLiteral("ZeltorTests.XNotAPage"), {}, [] { return std::make_shared<com::Object>(); }});
    ZeltorTests::FDialogWrapper other;
    EXPECT_EQ(other.CreateSetupCtrl(QStringLiteral("ZeltorTests.XNotAPage")), nullptr);
    EXPECT_EQ(other.SetupControl(), nullptr);
    com::ClassRegistry::instance().remove(QStringLiteral("ZeltorTests.XNotAPage"));
}

TEST_F(FDialogWrapperTest, DockingMakesThePageAChildOfTheHostAndMovesThePageOnly)
{
    formWindow->setGeometry(5, 6, 70, 80);
    form->Show(1);
    EXPECT_TRUE(page->isHidden()) << "Show before Dock shows nothing";
    EXPECT_TRUE(formWindow->isHidden());

    form->Dock(&hostWindow);
    EXPECT_TRUE(form->IsDocked());
    EXPECT_EQ(page->parentWidget(), &hostWindow);
    EXPECT_TRUE(page->isHidden()) << "docking shows nothing by itself";

    form->Show(1);
    EXPECT_TRUE(page->isVisibleTo(&hostWindow));
    EXPECT_TRUE(page->Visible());

    form->Move(10.4f, 20.6f, 300.0f, 200.0f);
    EXPECT_EQ(page->geometry(), QRect(10, 21, 300, 200));
    EXPECT_EQ(formWindow->geometry(), QRect(5, 6, 70, 80));

    formWindow->show();
    form->Hide();
    EXPECT_TRUE(page->isHidden());
    EXPECT_FALSE(formWindow->isHidden()) << "docked, Hide hides only the page";
}

TEST_F(FDialogWrapperTest, UndockedHideAndMoveActOnTheFormsWindow)
{
    formWindow->show();
    form->Move(1, 2, 30, 40);
    EXPECT_EQ(formWindow->geometry(), QRect(1, 2, 30, 40));
    form->Hide();
    EXPECT_TRUE(formWindow->isHidden());
}

TEST_F(FDialogWrapperTest, MoveKeepsHostCoordinatesWithinAWidgetsReach)
{
    form->Dock(&hostWindow);
    form->Move(std::numeric_limits<float>::quiet_NaN(), -1e30f, 1e30f, -5.0f);
    EXPECT_EQ(page->geometry(), QRect(0, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX, 0));
}

TEST_F(FDialogWrapperTest, DockWithoutAHostChangesNothing)
{
    form->Dock(nullptr);
    EXPECT_FALSE(form->IsDocked());
    EXPECT_EQ(page->parentWidget(), formWindow);

    form->Dock(&hostWindow);
    form->Show(1);
    form->Dock(nullptr);
    EXPECT_TRUE(form->IsDocked());
    EXPECT_EQ(page->parentWidget(), &hostWindow);
    EXPECT_FALSE(page->isHidden());
}

TEST_F(FDialogWrapperTest, UnDockReturnsThePageAsItWasAndEndsTheDockedState)
{
    form->Dock(&hostWindow);
    form->Show(1);
    form->UnDock();
    EXPECT_FALSE(form->IsDocked());
    EXPECT_EQ(page->parentWidget(), formWindow);
    EXPECT_FALSE(page->isHidden());

    form->Dock(&hostWindow);
    EXPECT_EQ(page->parentWidget(), &hostWindow);
    EXPECT_FALSE(page->isHidden()) << "the page keeps its own visibility across docking";
}

TEST_F(FDialogWrapperTest, UnloadEmptiesTheHostAndTheFormThenDoesNothing)
{
    int unloads = 0;
    const auto unloading = form->onUnload([&] { ++unloads; });
    std::vector<Event> events;
    const auto listening = form->onControlEvent(
        [&](const QString& name, const std::vector<com::Value>& args) { events.emplace_back(name, args); });
    const auto callBack = std::make_shared<host::HostCallBack>();
    form->setCallBack(callBack);
    form->Dock(&hostWindow);
    form->Show(1);

    form->Unload();
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(hostWindow.findChildren<QWidget*>().isEmpty());
    EXPECT_EQ(page->parentWidget(), formWindow);
    EXPECT_FALSE(form->IsDocked());

    page->calls.clear();
    for (const auto& member : forwardedMembers())
        member.call(*form);
    driveWindowMembers(*form, &hostWindow);
    form->Unload();
    page->edit();
    EXPECT_TRUE(page->calls.isEmpty()) << page->calls.join(u',').toStdString();
    EXPECT_EQ(page->parentWidget(), formWindow);
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(events.empty()) << "an unloaded form no longer listens to the callback";

    const std::weak_ptr<RecordingPage> watched = page;
    page.reset();
    EXPECT_FALSE(watched.expired()) << "the page lives as long as the form";
    form.reset();
    EXPECT_TRUE(watched.expired());
}

TEST_F(FDialogWrapperTest, ADockedPageLeavesTheHostWhenTheFormGoes)
{
    form->Dock(&hostWindow);
    form->Show(1);
    const std::weak_ptr<RecordingPage> watched = page;
    page.reset();
    form.reset();
    EXPECT_TRUE(watched.expired());
    EXPECT_TRUE(hostWindow.findChildren<QWidget*>().isEmpty());
}

TEST_F(FDialogWrapperTest, APageHeldBeyondItsFormOutlivesIt)
{
    form.reset();
    EXPECT_EQ(page->parentWidget(), nullptr);
    page->Refresh();
    EXPECT_EQ(page->calls.last(), QStringLiteral("Refresh"));
}

TEST_F(FDialogWrapperTest, CallBackEventsReachTheOwnerUnchanged)
{
    std::vector<Event> events;
    const auto listening = form->onControlEvent(
        [&](const QString& name, const std::vector<com::Value>& args) { events.emplace_back(name, args); });
    const auto callBack = std::make_shared<host::HostCallBack>();
    form->setCallBack(callBack);

    const std::vector<Event> raised = {
        {QStringLiteral("Change"), {}},
        {QStringLiteral("Limit edited"), {com::Value(3), com::Value("x"), com::Value(2.5), com::Value::null()}},
        {QString(), {com::Value(std::vector<com::Value>{com::Value(true)})}},
    };
    for (const auto& [name, args] : raised)
        callBack->RaiseEvent(name, args);
    EXPECT_EQ(events, raised);

    events.clear();
    page->edit();
    EXPECT_EQ(events, (std::vector<Event>{{QStringLiteral("Change"), {}}}));

    // The form listens only to the callback it was given last.
    const auto replacement = std::make_shared<host::HostCallBack>();
    form->setCallBack(replacement);
    events.clear();
    callBack->RaiseEvent(QStringLiteral("Old"), {});
    replacement->RaiseEvent(QStringLiteral("New"), {});
    form->setCallBack(nullptr);
    replacement->RaiseEvent(QStringLiteral("None"), {});
    EXPECT_EQ(events, (std::vector<Event>{{QStringLiteral("New"), {}}}));
}

TEST_F(FDialogWrapperTest, TheOwnerMayDropTheFormFromEitherEvent)
{
    const auto callBack = std::make_shared<host::HostCallBack>();
    form->setCallBack(callBack);
    const std::weak_ptr<ZeltorTests::FDialogWrapper> watched = form;
    auto owned = std::exchange(form, nullptr);
    page.reset();
    const auto listening
        = owned->onControlEvent([&](const QString&, const std::vector<com::Value>&) { owned.reset(); });
    callBack->RaiseEvent(QStringLiteral("Change"), {});
    EXPECT_TRUE(watched.expired());

    auto second = std::make_shared<ZeltorTests::FDialogWrapper>();
    const std::weak_ptr<ZeltorTests::FDialogWrapper> secondWatched = second;
    ASSERT_NE(second->CreateSetupCtrl(QString::fromLatin1(RecordingPage::className)), nullptr);
    second->Dock(&hostWindow);
    const auto unloading = second->onUnload([&] { second.reset(); });
    second->Unload();
    EXPECT_TRUE(secondWatched.expired());
    EXPECT_TRUE(hostWindow.findChildren<QWidget*>().isEmpty());
}

TEST_F(FDialogWrapperTest, TheFormsFocusGoesToThePage)
{
    QFocusEvent focusIn(QEvent::FocusIn);
    QCoreApplication::sendEvent(formWindow, &focusIn);
    EXPECT_EQ(page->calls, QStringList{QStringLiteral("SetFocus")});
    page->failing = true;
    EXPECT_NO_THROW(QCoreApplication::sendEvent(formWindow, &focusIn));
}

} // namespace
