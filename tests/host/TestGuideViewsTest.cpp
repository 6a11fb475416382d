#include "Host.h"
#include "views/ProgressSphere.h"
#include "views/TestGuideStatusBar.h"
#include "views/TestGuideWizard.h"

#include "TestGuideHost.h"

#include "events/ScriptedMessageBoxes.h"
#include "events/VirtualEventLoop.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

// The host's test-guide controls on a virtual clock, with scripted message boxes.
class TestGuideViewsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::installHost();
        events::EventLoop::install(loop);
        events::MessageBoxes::install(boxes);
    }
    void TearDown() override
    {
        events::MessageBoxes::install(nullptr);
        events::EventLoop::install(nullptr);
    }

    std::shared_ptr<events::VirtualEventLoop> loop = std::make_shared<events::VirtualEventLoop>();
    std::shared_ptr<events::ScriptedMessageBoxes> boxes = std::make_shared<events::ScriptedMessageBoxes>();
};

TEST_F(TestGuideViewsTest, TheHostInstallsItsServicesAndControls)
{
    QWidget window;
    EXPECT_NE(dynamic_cast<host::TestGuideWizard*>(Nelvar::createTestGuideWizard(&window).get()), nullptr);
    EXPECT_NE(dynamic_cast<host::TestGuideStatusBar*>(Nelvar::createTestGuideStatusBar(&window).get()), nullptr);
    EXPECT_NE(dynamic_cast<host::ProgressSphere*>(Nelvar::createProgressSphere(&window).get()), nullptr);
    EXPECT_EQ(Nelvar::testGuideServices().GetWindowTitle(nullptr), QStringLiteral("Nelvar"));
}

TEST_F(TestGuideViewsTest, AbortIsConfirmedByYesOnly)
{
    boxes->answerNext(events::mbrNo);
    EXPECT_FALSE(Nelvar::testGuideServices().ConfirmAbort());
    boxes->answerNext(events::mbrYes);
    EXPECT_TRUE(Nelvar::testGuideServices().ConfirmAbort());
    ASSERT_EQ(boxes->shown().size(), 2u);
    EXPECT_EQ(boxes->shown()[0].style, events::mbYesNo | events::mbQuestion);
}

// The wizard gives the controls it hosts back on release, and copes with one its creator
// destroyed while it was hosted.
TEST_F(TestGuideViewsTest, TheWizardHandsItsControlsBack)
{
    QWidget form;
    host::TestGuideWizard wizard(&form);
    QWidget results(&form);
    auto panel = std::make_unique<QWidget>(&form);
    wizard.setResultControl(&results);
    wizard.setPanelControl(panel.get());
    wizard.setOwner(&form);
    EXPECT_EQ(results.parentWidget(), &wizard);
    panel.reset();

    wizard.ReleaseOwner(&form);
    wizard.Release();
    EXPECT_EQ(wizard.Owner(), nullptr);
    EXPECT_EQ(results.parentWidget(), nullptr);
}

TEST_F(TestGuideViewsTest, StatusBarNamesStatusCommentAndStandard)
{
    host::TestGuideStatusBar bar;
    const auto text = [&](const char* name) { return bar.findChild<QLabel*>(QString::fromLatin1(name))->text(); };
    const std::pair<int32_t, const char*> statuses[] = {{0, ""}, {1, "Passed"}, {2, "Failed"}, {3, "Not applicable"}};
    for (const auto& [status, shown] : statuses) {
        bar.setStatus(status);
        EXPECT_EQ(bar.Status(), status);
        EXPECT_EQ(text("status"), QString::fromLatin1(shown));
    }
    bar.setCommentFlag(true);
    EXPECT_EQ(text("comment"), QStringLiteral("Commented"));
    bar.SetStandard(QStringLiteral("ISO"), QStringLiteral("ISO 80601"));
    EXPECT_EQ(text("standard"), QStringLiteral("ISO 80601 (ISO)"));
}

TEST_F(TestGuideViewsTest, TheSphereTurnsOnTheClockWhileStarted)
{
    host::ProgressSphere sphere;
    loop->advance(500);
    EXPECT_EQ(sphere.Angle(), 0);
    sphere.Start();
    EXPECT_TRUE(sphere.Turning());
    loop->advance(301);
    EXPECT_EQ(sphere.Angle(), 90);
    sphere.Stop();
    loop->advance(1000);
    EXPECT_FALSE(sphere.Turning());
    EXPECT_EQ(sphere.Angle(), 90);
}

} // namespace
