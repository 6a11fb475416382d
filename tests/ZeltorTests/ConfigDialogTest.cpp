// The single-reading tests' configuration page, driven by synthesized keys and clicks, with a
// recording host callback set before the page is filled.

#include "HostFixture.h"
#include "PageInput.h"

#include "elements/CConfigZeltor.h"
#include "ui/XConfigDialog.h"

#include "Dialogs.h"
#include "com/ClassRegistry.h"
#include "HostViews.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

using ZeltorTests::CConfigZeltor;
using ZeltorTests::XConfigDialog;

class ConfigDialogTest : public HostFixture {
protected:
    // The page is made once the host is there: it places the host's controls.
    void SetUp() override
    {
        HostFixture::SetUp();
        page = std::make_unique<XConfigDialog>();
    }
    void TearDown() override
    {
        page.reset();
        HostFixture::TearDown();
    }
    // The page filled from a configuration of that test kind and duration.
    void open(int32_t testKind, int32_t minutes)
    {
        configuration->setTestKind(testKind);
        configuration->setDuration(minutes);
        configuration->setNoiseLevel(500);
        page->setCallBack(callBack);
        page->Initialize(com::Value(configuration));
        page->show();
    }
    QLineEdit& box(const char* name) const { return *page->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QLineEdit& hours() const { return box("txtTestDuration(0)"); }
    QLineEdit& minutes() const { return box("txtTestDuration(1)"); }
    QSlider& slider() const { return *page->findChild<QSlider*>(QStringLiteral("sldTestDuration")); }
    QCheckBox& indefinite() const { return *page->findChild<QCheckBox*>(QStringLiteral("chkIndefinite")); }

    std::shared_ptr<CConfigZeltor> configuration = std::make_shared<CConfigZeltor>();
    std::shared_ptr<CountingCallBack> callBack = std::make_shared<CountingCallBack>();
    std::unique_ptr<XConfigDialog> page;
};

TEST_F(ConfigDialogTest, LoadingShowsTheDurationAndRaisesNoChange)
{
    open(200, 135);
    EXPECT_EQ(hours().text(), QStringLiteral("2"));
    EXPECT_EQ(minutes().text(), QStringLiteral("15"));
    EXPECT_EQ(slider().value(), 9);
    EXPECT_EQ(slider().toolTip(), QStringLiteral("2 hrs 15 minutes"));
    EXPECT_FALSE(indefinite().isChecked());
    EXPECT_TRUE(slider().isEnabled());
    EXPECT_FALSE(box("txtNoiseLevel").isVisible());
    EXPECT_EQ(callBack->changes, 0);
    EXPECT_EQ(configuration->Duration(), 135);
    const auto* help = page->findChild<Nelvar::XHelpText*>(QStringLiteral("xhtHelpText"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->Text(), QStringLiteral("Please select a duration for this test."));
    EXPECT_NE(page->findChild<Nelvar::XTestGuideSettings*>(QStringLiteral("xtgTestGuideConfig")), nullptr);
}

TEST_F(ConfigDialogTest, AnIndefiniteDurationOpensWithTheDurationControlsDisabled)
{
    open(400, 0);
    EXPECT_TRUE(indefinite().isChecked());
    EXPECT_EQ(hours().text(), QStringLiteral("0"));
    EXPECT_EQ(minutes().text(), QStringLiteral("0"));
    EXPECT_FALSE(hours().isEnabled());
    EXPECT_FALSE(minutes().isEnabled());
    EXPECT_FALSE(slider().isEnabled());
    EXPECT_EQ(callBack->changes, 0);
}

// Each keystroke is an edit: it reaches the configuration and raises one "Change", whatever
// corrections the boxes make to it.
TEST_F(ConfigDialogTest, TypedDurationsAreCorrectedIntoRange)
{
    const struct {
        const char* name;
        int32_t stored;
        const char* box;
        const char* typed;
        const char* hoursShown;
        const char* minutesShown;
        int32_t duration;
    } cases[] = {
        {"hours above 48 become 48, and minutes then 0", 30, "txtTestDuration(0)", "50", "48", "0", 2880},
        {"minutes of 60 or more become 59", 120, "txtTestDuration(1)", "75", "2", "59", 179},
        {"a whole duration is stored as typed", 0 + 60, "txtTestDuration(1)", "45", "1", "45", 105},
    };
    for (const auto& c : cases) {
        XConfigDialog fresh;
        const auto config = std::make_shared<CConfigZeltor>();
        config->setTestKind(200);
        config->setDuration(c.stored);
        const auto counting = std::make_shared<CountingCallBack>();
        fresh.setCallBack(counting);
        fresh.Initialize(com::Value(config));
        fresh.show();
        auto& target = *fresh.findChild<QLineEdit*>(QString::fromLatin1(c.box));
        typeInto(target, QString::fromLatin1(c.typed));
        EXPECT_EQ(fresh.findChild<QLineEdit*>(QStringLiteral("txtTestDuration(0)"))->text(),
                  QString::fromLatin1(c.hoursShown))
            << c.name;
        EXPECT_EQ(fresh.findChild<QLineEdit*>(QStringLiteral("txtTestDuration(1)"))->text(),
                  QString::fromLatin1(c.minutesShown))
            << c.name;
        EXPECT_EQ(config->Duration(), c.duration) << c.name;
        EXPECT_EQ(fresh.findChild<QSlider*>(QStringLiteral("sldTestDuration"))->value(), c.duration / 15) << c.name;
        EXPECT_EQ(counting->changes, static_cast<int>(qstrlen(c.typed))) << c.name;
    }
}

// A pasted entry beyond the 32-bit range is above the limit, not a wrapped or failed number.
TEST_F(ConfigDialogTest, AnOversizeEntryIsCorrectedAsAboveTheLimit)
{
    open(200, 30);
    hours().selectAll();
    hours().insert(QStringLiteral("99999999999"));
    EXPECT_EQ(hours().text(), QStringLiteral("48"));
    EXPECT_EQ(minutes().text(), QStringLiteral("0"));
    EXPECT_EQ(configuration->Duration(), 2880);
    EXPECT_EQ(callBack->changes, 1);
}

TEST_F(ConfigDialogTest, TheBoxesTakeOnlyDigits)
{
    open(200, 60);
    typeInto(minutes(), QStringLiteral("2a-.5"));
    EXPECT_EQ(minutes().text(), QStringLiteral("25"));
    EXPECT_EQ(configuration->Duration(), 85);
}

TEST_F(ConfigDialogTest, TheSliderStoresQuarterHoursOnce)
{
    open(200, 60);
    slider().setFocus();
    QTest::keyClick(&slider(), Qt::Key_Right); // 60 -> 75 minutes
    EXPECT_EQ(configuration->Duration(), 75);
    EXPECT_EQ(hours().text(), QStringLiteral("1"));
    EXPECT_EQ(minutes().text(), QStringLiteral("15"));
    EXPECT_EQ(callBack->changes, 1);
    slider().setValue(7);
    EXPECT_EQ(configuration->Duration(), 105);
    EXPECT_EQ(minutes().text(), QStringLiteral("45"));
    EXPECT_EQ(callBack->changes, 2);
}

TEST_F(ConfigDialogTest, IndefiniteStoresNoDurationInOneEdit)
{
    open(200, 90);
    tick(indefinite());
    EXPECT_EQ(configuration->Duration(), 0);
    EXPECT_EQ(hours().text(), QStringLiteral("0"));
    EXPECT_FALSE(slider().isEnabled());
    EXPECT_EQ(callBack->changes, 1);
    // Unticking changes nothing until a duration is typed.
    tick(indefinite());
    EXPECT_TRUE(slider().isEnabled());
    EXPECT_EQ(configuration->Duration(), 0);
    EXPECT_EQ(callBack->changes, 1);
}

TEST_F(ConfigDialogTest, TheNoiseLevelIsTheFlowTestsOnly)
{
    open(300, 60);
    QLineEdit& noise = box("txtNoiseLevel");
    EXPECT_TRUE(noise.isVisible());
    EXPECT_EQ(noise.text(), QStringLiteral("500"));
    noise.setFocus();
    noise.selectAll();
    QTest::keyClick(&noise, Qt::Key_Backspace);
    EXPECT_EQ(configuration->NoiseLevel(), 500) << "an empty box stores nothing";
    EXPECT_EQ(callBack->changes, 0);
    QTest::keyClicks(&noise, QStringLiteral("0"));
    EXPECT_EQ(configuration->NoiseLevel(), 0);
    EXPECT_EQ(callBack->changes, 1);
}

TEST_F(ConfigDialogTest, LockingTakesNoInputAndKeepsAnIndefiniteSliderDisabled)
{
    open(200, 0);
    page->setLocked(true);
    EXPECT_TRUE(hours().isReadOnly());
    EXPECT_FALSE(indefinite().isEnabled());
    EXPECT_FALSE(slider().isEnabled());
    page->setLocked(false);
    EXPECT_FALSE(hours().isReadOnly());
    EXPECT_TRUE(indefinite().isEnabled());
    EXPECT_FALSE(slider().isEnabled()) << "the duration is still indefinite";
    tick(indefinite());
    EXPECT_TRUE(slider().isEnabled());
}

TEST_F(ConfigDialogTest, AnythingButASingleReadingConfigurationHidesThePage)
{
    page->show();
    page->setCallBack(callBack);
    page->Initialize(com::Value(std::make_shared<com::Object>()));
    EXPECT_FALSE(page->Visible());
    EXPECT_EQ(callBack->changes, 0);
}

TEST_F(ConfigDialogTest, WithoutACallbackEditsStillReachTheConfiguration)
{
    configuration->setTestKind(200);
    configuration->setDuration(60);
    page->Initialize(com::Value(configuration));
    page->show();
    typeInto(hours(), QStringLiteral("3"));
    EXPECT_EQ(configuration->Duration(), 180);
}

// The configuration hands its page to the host in a dialog host form, found by its class name.
TEST_F(ConfigDialogTest, TheConfigurationHandsItsPageToTheHost)
{
    com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
    configuration->setTestKind(300);
    configuration->setDuration(45);
    const auto dialog = configuration->CreateDialog();
    ASSERT_TRUE(dialog);
    QWidget host;
    dialog->Dock(&host);
    dialog->Show(0);
    const auto* shown = host.findChild<XConfigDialog*>();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->findChild<QLineEdit*>(QStringLiteral("txtTestDuration(1)"))->text(), QStringLiteral("45"));
    dialog->Unload();
    EXPECT_EQ(host.findChild<XConfigDialog*>(), nullptr);
}
