// The ventilator test's configuration page, driven by synthesized keys and clicks on a real test
// element, with a recording host callback set before the page is filled.

#include "PageInput.h"
#include "VentilatorRunFixture.h"

#include "data/CParameterList.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CSettings.h"
#include "elements/CZeltorLimitData.h"
#include "ui/XConfigVentilatorDialog.h"
#include "ui/XParameterView.h"

#include "Dialogs.h"
#include "com/ClassRegistry.h"
#include "Standards.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

using ZeltorTests::XConfigVentilatorDialog;

class ConfigVentilatorDialogTest : public VentilatorRunFixture {
protected:
    void SetUp() override
    {
        VentilatorRunFixture::SetUp();
        const auto settings = configuration()->Settings();
        settings->setBreathsPerCalculation(8);
        settings->setReferenceUnit(3);
        settings->setSuppressPressurePeakPeriod(35);
        settings->setDetectLevel(9000);
        configuration()->setDuration(100);
        configuration()->TrendSettings()->setActive(true);
        configuration()->TrendSettings()->setInterval(30);
        page = std::make_unique<XConfigVentilatorDialog>();
        page->setCallBack(callBack);
        page->Initialize(com::Value(element));
        page->show();
    }
    void TearDown() override
    {
        page.reset();
        VentilatorRunFixture::TearDown();
    }

    template <typename Widget>
    Widget& child(const char* name) const
    {
        auto* widget = page->findChild<Widget*>(QString::fromLatin1(name));
        if (!widget)
            throw std::runtime_error(name);
        return *widget;
    }
    QLineEdit& box(const char* name) const { return child<QLineEdit>(name); }
    void select(int frame) const { child<QListWidget>("lstSelectConfiguration").setCurrentRow(frame); }

    std::shared_ptr<CountingCallBack> callBack = std::make_shared<CountingCallBack>();
    std::unique_ptr<XConfigVentilatorDialog> page;
};

TEST_F(ConfigVentilatorDialogTest, LoadingShowsTheConfigurationAndRaisesNoChange)
{
    EXPECT_EQ(box("txtTestDuration(0)").text(), QStringLiteral("1"));
    EXPECT_EQ(box("txtTestDuration(1)").text(), QStringLiteral("40"));
    EXPECT_EQ(child<QSlider>("sldTestDuration").value(), 6);
    EXPECT_EQ(child<QComboBox>("cboBreathsPerCalculation").currentText(), QStringLiteral("8"));
    EXPECT_EQ(child<QComboBox>("cboReferenceUnit").currentText(), QStringLiteral("ATPS"));
    EXPECT_EQ(child<QSlider>("sldSuppressPressurePeakPeriod").value(), 3);
    EXPECT_EQ(child<QLabel>("lblSuppressPressurePeakPeriodValue").text(), QStringLiteral("35 ms"));
    EXPECT_EQ(box("txtDetectLevel").text(), QStringLiteral("9000"));
    EXPECT_TRUE(child<QCheckBox>("chkTrendingActive").isChecked());
    EXPECT_EQ(box("txtTrendInterval").text(), QStringLiteral("30"));
    EXPECT_TRUE(box("txtTrendInterval").isEnabled());
    EXPECT_EQ(callBack->changes, 0);
    EXPECT_EQ(configuration()->Duration(), 100);
}

// A stored value of either list shows its entry; one outside the list shows none (not the first
// entry, which the test would not send) and stays stored as it was.
TEST_F(ConfigVentilatorDialogTest, AStoredValueOutsideAListShowsNoEntry)
{
    const auto settings = configuration()->Settings();
    const struct {
        int32_t breaths;
        int32_t referenceUnit;
        QString breathsShown;
        QString referenceShown;
    } cases[] = {
        {1, 0, "1", "BTPS"}, {32, 5, "32", "NTPD"}, {0, -1, "", ""},
        {3, 6, "", ""},      {64, 2, "", "STPD"},   {16, 100, "16", ""},
    };
    for (const auto& [breaths, referenceUnit, breathsShown, referenceShown] : cases) {
        SCOPED_TRACE(testing::Message() << breaths << " breaths, reference unit " << referenceUnit);
        settings->setBreathsPerCalculation(breaths);
        settings->setReferenceUnit(referenceUnit);
        XConfigVentilatorDialog opened;
        opened.setCallBack(callBack);
        opened.Initialize(com::Value(element));
        const auto& breathsList = *opened.findChild<QComboBox*>(QStringLiteral("cboBreathsPerCalculation"));
        const auto& referenceList = *opened.findChild<QComboBox*>(QStringLiteral("cboReferenceUnit"));
        EXPECT_EQ(breathsList.currentText(), breathsShown);
        EXPECT_EQ(breathsList.currentIndex() < 0, breathsShown.isEmpty());
        EXPECT_EQ(referenceList.currentText(), referenceShown);
        EXPECT_EQ(referenceList.currentIndex() < 0, referenceShown.isEmpty());
        EXPECT_EQ(settings->BreathsPerCalculation(), breaths);
        EXPECT_EQ(settings->ReferenceUnit(), referenceUnit);
    }
    EXPECT_EQ(callBack->changes, 0);
}

// Each user edit reaches the configuration, with its correction, and raises exactly one "Change".
TEST_F(ConfigVentilatorDialogTest, EditsAreCorrectedAndStoredWithOneChangeEach)
{
    const auto settings = configuration()->Settings();
    const auto trend = configuration()->TrendSettings();

    select(0);
    typeInto(box("txtTestDuration(1)"), QStringLiteral("4"));
    EXPECT_EQ(configuration()->Duration(), 64);
    QTest::keyClicks(&box("txtTestDuration(1)"), QStringLiteral("0"));
    EXPECT_EQ(configuration()->Duration(), 100);
    EXPECT_EQ(child<QSlider>("sldTestDuration").value(), 7) << "100 / 15 rounds to 7";
    EXPECT_EQ(callBack->changes, 2);

    select(1);
    typeInto(box("txtDetectLevel"), QStringLiteral("12000"));
    EXPECT_EQ(box("txtDetectLevel").text(), QStringLiteral("10000"));
    EXPECT_EQ(box("txtDetectLevel").selectedText(), QStringLiteral("10000"));
    EXPECT_EQ(settings->DetectLevel(), 10000);
    EXPECT_EQ(callBack->changes, 7);

    auto& breaths = child<QComboBox>("cboBreathsPerCalculation");
    breaths.setFocus();
    QTest::keyClick(&breaths, Qt::Key_End);
    EXPECT_EQ(settings->BreathsPerCalculation(), 32);
    EXPECT_EQ(callBack->changes, 8);

    auto& suppression = child<QSlider>("sldSuppressPressurePeakPeriod");
    suppression.setFocus();
    QTest::keyClick(&suppression, Qt::Key_Right);
    EXPECT_EQ(settings->SuppressPressurePeakPeriod(), 40);
    EXPECT_EQ(child<QLabel>("lblSuppressPressurePeakPeriodValue").text(), QStringLiteral("40 ms"));
    EXPECT_EQ(suppression.toolTip(), QStringLiteral("40 ms"));
    EXPECT_EQ(callBack->changes, 9);

    select(3);
    auto& interval = box("txtTrendInterval");
    interval.setFocus();
    interval.selectAll();
    QTest::keyClick(&interval, Qt::Key_Backspace);
    EXPECT_EQ(interval.text(), QStringLiteral("15"));
    EXPECT_EQ(interval.selectedText(), QStringLiteral("15"));
    EXPECT_EQ(trend->Interval(), 15);
    EXPECT_EQ(callBack->changes, 10);

    auto& trending = child<QCheckBox>("chkTrendingActive");
    tick(trending);
    EXPECT_FALSE(trend->Active());
    EXPECT_FALSE(interval.isEnabled());
    EXPECT_EQ(callBack->changes, 11);
}

TEST_F(ConfigVentilatorDialogTest, TheDurationSliderStoresQuarterHours)
{
    select(0);
    auto& slider = child<QSlider>("sldTestDuration");
    slider.setValue(9);
    EXPECT_EQ(configuration()->Duration(), 135);
    EXPECT_EQ(box("txtTestDuration(0)").text(), QStringLiteral("2"));
    EXPECT_EQ(box("txtTestDuration(1)").text(), QStringLiteral("15"));
    EXPECT_EQ(callBack->changes, 1);
}

TEST_F(ConfigVentilatorDialogTest, AParameterSelectionBringsTheLimitsInLine)
{
    const auto limits = std::dynamic_pointer_cast<ZeltorTests::CZeltorLimitData>(element->Limits());
    const auto standard = limits->CreateStandard(QStringLiteral("S"), QStringLiteral("Standard"));
    const int32_t before = standard->Limits()->Count();
    select(2);
    auto& list = *child<ZeltorTests::XParameterView>("xpvParamView").findChild<QListWidget*>();
    QListWidgetItem* first = list.item(0);
    ASSERT_EQ(first->checkState(), Qt::Checked);
    first->setCheckState(Qt::Unchecked);
    EXPECT_EQ(standard->Limits()->Count(), before - 1);
    EXPECT_EQ(callBack->changes, 1);
}

TEST_F(ConfigVentilatorDialogTest, LockingDisablesTheFramesOnce)
{
    page->setLocked(true);
    for (const char* frame : {"fraTestSettings", "fraMeasurementParams", "fraTrendSettings"})
        EXPECT_FALSE(child<QGroupBox>(frame).isEnabled()) << frame;
    EXPECT_TRUE(child<ZeltorTests::XParameterView>("xpvParamView").Locked());
    page->setLocked(false);
    EXPECT_TRUE(child<QGroupBox>("fraMeasurementParams").isEnabled());
    EXPECT_FALSE(child<ZeltorTests::XParameterView>("xpvParamView").Locked());
}

TEST_F(ConfigVentilatorDialogTest, AnythingButAVentilatorTestHidesThePage)
{
    page->Initialize(com::Value(configuration()));
    EXPECT_FALSE(page->Visible());
    EXPECT_EQ(callBack->changes, 0);
}

// The configuration hands the host a page on its owning test, in a dialog host form.
TEST_F(ConfigVentilatorDialogTest, TheConfigurationHandsItsPageOnTheTestToTheHost)
{
    com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
    const auto dialog = configuration()->CreateDialog();
    ASSERT_TRUE(dialog);
    QWidget host;
    dialog->Dock(&host);
    const auto* shown = host.findChild<XConfigVentilatorDialog*>();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->Visible()) << "bound to the test element";
    EXPECT_EQ(shown->findChild<QLineEdit*>(QStringLiteral("txtTestDuration(1)"))->text(), QStringLiteral("40"));
    dialog->Unload();
}
