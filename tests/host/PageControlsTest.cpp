#include "Host.h"
#include "testmodel/TestGuideConfig.h"

#include "Dialogs.h"
#include "HostViews.h"
#include "RunContext.h"
#include "Standards.h"
#include "TestElement.h"

#include "com/ClassRegistry.h"
#include "com/Value.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

template <typename Interface>
std::shared_ptr<Interface> create(const char* progId)
{
    return com::ClassRegistry::instance().createAs<Interface>(QString::fromLatin1(progId));
}

void toggle(QCheckBox& box)
{
    QTest::keyClick(&box, Qt::Key_Space);
}

// Limit data as the limit page sees it: its standards, nothing else.
class StandardsOnly final : public Nelvar::ILimitData {
public:
    QString Description() const override { return {}; }
    void setDescription(const QString&) override {}
    bool HasDialog() const override { return true; }
    std::shared_ptr<Nelvar::IDialog> CreateDialog() override { return nullptr; }
    std::shared_ptr<Nelvar::IStandards> Standards() const override { return standards; }
    std::shared_ptr<Nelvar::ITestElement> Owner() const override { return nullptr; }
    std::shared_ptr<Nelvar::ILimitData> Clone() const override { return nullptr; }
    std::shared_ptr<Nelvar::IStandard> CreateStandard(const QString&, const QString&) override { return nullptr; }
    void Load(const std::shared_ptr<Nelvar::IXmlElement>&, const std::shared_ptr<com::Object>&) override {}
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>&) override { return nullptr; }
    void UpdateLimits(const std::shared_ptr<com::Object>&) override {}
    std::shared_ptr<Nelvar::IStandards> FindFailedStandards(const std::shared_ptr<Nelvar::IMeasurement>&,
                                                            const std::shared_ptr<Nelvar::IStandards>&) override
    {
        return nullptr;
    }
    void PrintReport(const std::shared_ptr<Nelvar::IReport>&, const std::shared_ptr<Nelvar::ITestSequence>&) override {}

    std::shared_ptr<Nelvar::IStandards> standards = create<Nelvar::IStandards>(Nelvar::kStandardsProgId);
};

// The host's callback as a page reaches it: records every event, and runs a reaction to it.
class RecordingCallBack final : public Nelvar::ICallBack {
public:
    struct Event {
        QString name;
        std::vector<com::Value> args;
    };
    void RaiseEvent(const QString& eventName, const std::vector<com::Value>& args) override
    {
        events.push_back({eventName, args});
        if (reaction)
            reaction();
    }
    std::vector<Event> events;
    std::function<void()> reaction;
};

std::shared_ptr<Nelvar::ILimit> limit(const QString& key, const QString& unit, const QString& upper,
                                      const QString& lower)
{
    auto made = create<Nelvar::ILimit>(Nelvar::kLimitProgId);
    made->Initialize(key, unit, upper, lower);
    return made;
}

float boundOf(const Nelvar::ILimit& limit, int32_t index)
{
    float value = 0.0f;
    limit.Value(index, value);
    return value;
}

bool enabledOf(const Nelvar::ILimit& limit, int32_t index)
{
    bool enabled = false;
    limit.Enabled(index, enabled);
    return enabled;
}

// The limit page as the system fills it: rows for breath rate, inspiratory peak pressure and
// peak flow, and two standards, of which only the first has a peak-flow limit.
class LimitViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { host::installHost(); }
    void SetUp() override
    {
        page = create<Nelvar::XLimitView>(Nelvar::kLimitViewProgId);
        control = std::dynamic_pointer_cast<Nelvar::ICustomControl>(page);
        ASSERT_NE(control, nullptr);
        control->setCallBack(callBack);

        adult->Initialize(QStringLiteral("Adult"), QString(), 1);
        adult->Add(breathRate);
        adult->Add(peakPressure);
        adult->Add(limit(QStringLiteral("INPF"), QStringLiteral("l/min"), QStringLiteral("120"), QString()));
        child->Initialize(QStringLiteral("Child"), QStringLiteral("Ped"), 1);
        child->Add(limit(QStringLiteral("BRRA"), QStringLiteral("bpm"), QStringLiteral("40"), QStringLiteral("20")));
        limitData->standards->Add(adult);
        limitData->standards->Add(child);
        fill();
    }

    // What the system's limit data does to fill the page: one row per parameter, then the data.
    void fill(bool withPeakFlow = true)
    {
        page->AddRow(QStringLiteral("BRRA"), QStringLiteral("Breath rate"), QStringLiteral("bpm"), QString());
        page->AddRow(QStringLiteral("INPP"), QStringLiteral("Peak pressure"), QStringLiteral("cmH2O;kPa;mBar"), QString());
        if (withPeakFlow)
            page->AddRow(QStringLiteral("INPF"), QStringLiteral("Peak flow"), QStringLiteral("l/min;l/sec"), QString());
        control->Initialize(com::Value(std::static_pointer_cast<Nelvar::ILimitData>(limitData)));
    }

    // The page's editor of that name in the rows it shows now.
    template <typename Widget>
    Widget* shown(const QString& name) const
    {
        for (Widget* widget : control->hWnd()->findChildren<Widget*>(name)) {
            if (widget->isVisibleTo(control->hWnd()))
                return widget;
        }
        return nullptr;
    }
    template <typename Widget>
    Widget& editor(const QString& name) const
    {
        Widget* widget = shown<Widget>(name);
        if (!widget)
            throw std::runtime_error(name.toStdString() + " is not shown");
        return *widget;
    }

    void type(const QString& name, const QString& text) const
    {
        QLineEdit& edit = editor<QLineEdit>(name);
        edit.selectAll();
        QTest::keyClicks(&edit, text);
        QTest::keyClick(&edit, Qt::Key_Return);
    }
    // Ticks or clears a mark with the keyboard, as the user does.
    void click(const QString& name) const { toggle(editor<QCheckBox>(name)); }
    // Picks an entry of a choice box with the keyboard, as the user does.
    void stepDown(const QString& name) const
    {
        QComboBox& box = editor<QComboBox>(name);
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_Down);
    }

    std::shared_ptr<Nelvar::ILimit> breathRate = limit(QStringLiteral("BRRA"), QStringLiteral("bpm"), QStringLiteral("30"), QString());
    std::shared_ptr<Nelvar::ILimit> peakPressure = limit(QStringLiteral("INPP"), QStringLiteral("cmH2O"), QStringLiteral("60.5"), QStringLiteral("-2"));
    std::shared_ptr<Nelvar::IStandard> adult = create<Nelvar::IStandard>(Nelvar::kStandardProgId);
    std::shared_ptr<Nelvar::IStandard> child = create<Nelvar::IStandard>(Nelvar::kStandardProgId);
    std::shared_ptr<StandardsOnly> limitData = std::make_shared<StandardsOnly>();
    std::shared_ptr<RecordingCallBack> callBack = std::make_shared<RecordingCallBack>();
    std::shared_ptr<Nelvar::XLimitView> page;
    std::shared_ptr<Nelvar::ICustomControl> control;
};

TEST_F(LimitViewTest, FilledPageShowsOneRowPerParameterWithTheFirstStandardsLimits)
{
    EXPECT_EQ(editor<QLabel>(QStringLiteral("BRRA.caption")).text(), QStringLiteral("Breath rate"));
    EXPECT_EQ(editor<QLineEdit>(QStringLiteral("BRRA.upper")).text(), QStringLiteral("30"));
    EXPECT_TRUE(editor<QCheckBox>(QStringLiteral("BRRA.upperEnabled")).isChecked());
    EXPECT_FALSE(editor<QCheckBox>(QStringLiteral("BRRA.lowerEnabled")).isChecked());
    EXPECT_EQ(editor<QLineEdit>(QStringLiteral("INPP.upper")).text(), QStringLiteral("60.5"));
    EXPECT_EQ(editor<QLineEdit>(QStringLiteral("INPP.lower")).text(), QStringLiteral("-2"));
    EXPECT_TRUE(editor<QCheckBox>(QStringLiteral("INPP.lowerEnabled")).isChecked());
    const QComboBox& units = editor<QComboBox>(QStringLiteral("INPP.unit"));
    ASSERT_EQ(units.count(), 3);
    EXPECT_EQ(units.itemText(1), QStringLiteral("kPa"));
    EXPECT_EQ(units.currentText(), QStringLiteral("cmH2O"));
    EXPECT_EQ(editor<QLineEdit>(QStringLiteral("INPF.upper")).text(), QStringLiteral("120"));
    const QComboBox& standards = editor<QComboBox>(QStringLiteral("standards"));
    ASSERT_EQ(standards.count(), 2);
    EXPECT_EQ(standards.itemText(1), QStringLiteral("Child (Ped)"));
    EXPECT_TRUE(callBack->events.empty());
}

TEST_F(LimitViewTest, ChoosingAStandardShowsItsLimitsAndRowsWithoutALimitTakeNoInput)
{
    stepDown(QStringLiteral("standards"));
    EXPECT_EQ(editor<QLineEdit>(QStringLiteral("BRRA.upper")).text(), QStringLiteral("40"));
    EXPECT_EQ(editor<QLineEdit>(QStringLiteral("BRRA.lower")).text(), QStringLiteral("20"));
    EXPECT_TRUE(editor<QLineEdit>(QStringLiteral("BRRA.upper")).isEnabled());
    EXPECT_TRUE(editor<QLineEdit>(QStringLiteral("INPP.upper")).text().isEmpty());
    EXPECT_FALSE(editor<QLineEdit>(QStringLiteral("INPP.upper")).isEnabled());
    EXPECT_FALSE(editor<QComboBox>(QStringLiteral("INPP.unit")).isEnabled());
    EXPECT_TRUE(callBack->events.empty());

    // A refill keeps the chosen standard.
    fill();
    EXPECT_EQ(editor<QLineEdit>(QStringLiteral("BRRA.upper")).text(), QStringLiteral("40"));
    EXPECT_TRUE(callBack->events.empty());
}

TEST_F(LimitViewTest, EachUserEditChangesTheLimitAndRaisesOneChangeWithIt)
{
    type(QStringLiteral("BRRA.upper"), QStringLiteral("25.5"));
    EXPECT_FLOAT_EQ(boundOf(*breathRate, 0), 25.5f);
    ASSERT_EQ(callBack->events.size(), 1u);
    EXPECT_EQ(callBack->events[0].name, QStringLiteral("Change"));
    ASSERT_EQ(callBack->events[0].args.size(), 1u);
    EXPECT_EQ(callBack->events[0].args[0].objectAs<Nelvar::ILimit>(), breathRate);

    click(QStringLiteral("BRRA.lowerEnabled"));
    EXPECT_TRUE(enabledOf(*breathRate, 1));
    EXPECT_EQ(callBack->events.size(), 2u);

    stepDown(QStringLiteral("INPP.unit"));
    EXPECT_EQ(peakPressure->Unit(), QStringLiteral("kPa"));
    ASSERT_EQ(callBack->events.size(), 3u);
    EXPECT_EQ(callBack->events[2].args[0].objectAs<Nelvar::ILimit>(), peakPressure);

    // Leaving the edited box again is no second edit.
    QLineEdit& upper = editor<QLineEdit>(QStringLiteral("BRRA.upper"));
    emit upper.editingFinished();
    EXPECT_EQ(callBack->events.size(), 3u);
}

TEST_F(LimitViewTest, TextThatIsNoNumberLeavesTheLimitAndIsReplacedByItsValue)
{
    for (const QString& text : {QStringLiteral("abc"), QString(), QStringLiteral("1e99"), QStringLiteral("nan")}) {
        SCOPED_TRACE(text.toStdString());
        type(QStringLiteral("BRRA.upper"), text);
        EXPECT_EQ(editor<QLineEdit>(QStringLiteral("BRRA.upper")).text(), QStringLiteral("30"));
        EXPECT_FLOAT_EQ(boundOf(*breathRate, 0), 30.0f);
    }
    EXPECT_TRUE(callBack->events.empty());
}

TEST_F(LimitViewTest, LockedPageTakesNoInput)
{
    control->setLocked(true);
    EXPECT_TRUE(control->Locked());
    type(QStringLiteral("BRRA.upper"), QStringLiteral("99"));
    click(QStringLiteral("BRRA.lowerEnabled"));
    EXPECT_FLOAT_EQ(boundOf(*breathRate, 0), 30.0f);
    EXPECT_FALSE(enabledOf(*breathRate, 1));
    EXPECT_FALSE(editor<QComboBox>(QStringLiteral("INPP.unit")).isEnabled());
    // Rows of a refill come locked too.
    fill();
    EXPECT_FALSE(editor<QLineEdit>(QStringLiteral("BRRA.upper")).isEnabled());
    EXPECT_TRUE(callBack->events.empty());

    control->setLocked(false);
    type(QStringLiteral("BRRA.upper"), QStringLiteral("99"));
    EXPECT_FLOAT_EQ(boundOf(*breathRate, 0), 99.0f);
    EXPECT_EQ(callBack->events.size(), 1u);
}

// The system answers a unit edit by filling the page anew from inside the Change, so the row
// that made the edit is replaced while its own handler runs.
TEST_F(LimitViewTest, ARefillInAnswerToAChangeReplacesTheRowsSafely)
{
    callBack->reaction = [this] { fill(false); };
    stepDown(QStringLiteral("INPP.unit"));
    EXPECT_EQ(peakPressure->Unit(), QStringLiteral("kPa"));
    EXPECT_EQ(callBack->events.size(), 1u);
    EXPECT_EQ(shown<QLineEdit>(QStringLiteral("INPF.upper")), nullptr);
    EXPECT_EQ(editor<QComboBox>(QStringLiteral("INPP.unit")).currentText(), QStringLiteral("kPa"));

    // The new rows edit as before; the refill they cause lets the replaced ones go.
    type(QStringLiteral("BRRA.upper"), QStringLiteral("12"));
    EXPECT_FLOAT_EQ(boundOf(*breathRate, 0), 12.0f);
    EXPECT_EQ(callBack->events.size(), 2u);
    callBack->reaction = nullptr;
    fill();
    EXPECT_NE(shown<QLineEdit>(QStringLiteral("INPF.upper")), nullptr);
}

TEST_F(LimitViewTest, AFailingCallBackLeavesTheEditMade)
{
    callBack->reaction = [] { throw std::runtime_error("host failed"); };
    type(QStringLiteral("BRRA.upper"), QStringLiteral("31"));
    EXPECT_FLOAT_EQ(boundOf(*breathRate, 0), 31.0f);
    EXPECT_EQ(callBack->events.size(), 1u);
}

TEST_F(LimitViewTest, WithoutLimitDataOrStandardsTheRowsShowNoLimit)
{
    control->Initialize(com::Value());
    EXPECT_EQ(editor<QComboBox>(QStringLiteral("standards")).count(), 0);
    EXPECT_FALSE(editor<QLineEdit>(QStringLiteral("BRRA.upper")).isEnabled());
    limitData->standards = nullptr;
    fill();
    EXPECT_FALSE(editor<QLineEdit>(QStringLiteral("BRRA.upper")).isEnabled());
    EXPECT_TRUE(callBack->events.empty());
}

// Test-guide settings that are not the host's own.
class ForeignTestGuideConfig final : public Nelvar::ITestGuideConfig {
public:
    std::shared_ptr<Nelvar::ITestGuideConfig> Clone() const override { return nullptr; }
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>&) override { return nullptr; }
    void Load(const std::shared_ptr<Nelvar::IXmlElement>&, const std::shared_ptr<com::Object>&) override {}
    int32_t Flags() const override { return etgAllowNotApplicable; }
};

class TestGuideSettingsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { host::installHost(); }
    void SetUp() override
    {
        settings = create<Nelvar::XTestGuideSettings>(Nelvar::kTestGuideSettingsProgId);
        settings->setChangeListener([this] { ++changes; });
        config->setFlags(Nelvar::ITestGuideConfig::etgAllowSkip);
        settings->SetTestGuideConfig(config);
    }
    QCheckBox& box(const char* name) const
    {
        return *settings->findChild<QCheckBox*>(QString::fromLatin1(name));
    }
    void click(const char* name) const { toggle(box(name)); }

    std::shared_ptr<host::TestGuideConfig> config = std::make_shared<host::TestGuideConfig>();
    std::shared_ptr<Nelvar::XTestGuideSettings> settings;
    int changes = 0;
};

TEST_F(TestGuideSettingsTest, ShowsTheSettingsAndEditsThemInPlace)
{
    EXPECT_TRUE(box("allowSkip").isChecked());
    EXPECT_FALSE(box("allowNotApplicable").isChecked());
    EXPECT_EQ(changes, 0);

    click("allowNotApplicable");
    EXPECT_EQ(config->Flags(), Nelvar::ITestGuideConfig::etgAllowSkip | Nelvar::ITestGuideConfig::etgAllowNotApplicable);
    EXPECT_EQ(changes, 1);
    click("allowSkip");
    EXPECT_EQ(config->Flags(), Nelvar::ITestGuideConfig::etgAllowNotApplicable);
    EXPECT_EQ(changes, 2);

    // Handing the settings over again is no edit.
    settings->SetTestGuideConfig(config);
    EXPECT_EQ(changes, 2);
}

TEST_F(TestGuideSettingsTest, LockedTakesNoInput)
{
    settings->setLocked(true);
    EXPECT_TRUE(settings->Locked());
    click("allowNotApplicable");
    EXPECT_EQ(config->Flags(), Nelvar::ITestGuideConfig::etgAllowSkip);
    EXPECT_EQ(changes, 0);
    settings->setLocked(false);
    click("allowNotApplicable");
    EXPECT_EQ(changes, 1);
}

TEST_F(TestGuideSettingsTest, SettingsItCannotEditAreShownWithoutInput)
{
    settings->SetTestGuideConfig(std::make_shared<ForeignTestGuideConfig>());
    EXPECT_FALSE(box("allowSkip").isChecked());
    EXPECT_TRUE(box("allowNotApplicable").isChecked());
    EXPECT_FALSE(box("allowNotApplicable").isEnabled());
    settings->SetTestGuideConfig(nullptr);
    EXPECT_FALSE(box("allowNotApplicable").isChecked());
    click("allowSkip");
    EXPECT_EQ(changes, 0);
}

TEST_F(TestGuideSettingsTest, AFailingListenerLeavesTheEditMade)
{
    settings->setChangeListener([] { throw std::runtime_error("page failed"); });
    click("allowNotApplicable");
    EXPECT_EQ(config->Flags(), Nelvar::ITestGuideConfig::etgAllowSkip | Nelvar::ITestGuideConfig::etgAllowNotApplicable);
}

TEST(HelpTextTest, ShowsItsText)
{
    host::installHost();
    const auto help = create<Nelvar::XHelpText>(Nelvar::kHelpTextProgId);
    const QString text = QStringLiteral("Please select a duration for this test.\r\n\r\nThen start it.");
    help->setText(text);
    EXPECT_EQ(help->Text(), text);
    EXPECT_EQ(help->findChild<QLabel*>(QStringLiteral("text"))->text(), text);
}

// A page places a created control in its own window; the control goes once, whether the window
// or the last holder goes first.
TEST(PageControlsTest, APlacedControlIsDeletedOnceWhicheverGoesFirst)
{
    host::installHost();
    auto help = create<Nelvar::XHelpText>(Nelvar::kHelpTextProgId);
    {
        QWidget window;
        help->setParent(&window);
    }
    help.reset();

    QWidget window;
    auto placed = create<Nelvar::XHelpText>(Nelvar::kHelpTextProgId);
    placed->setParent(&window);
    placed.reset();
    EXPECT_TRUE(window.findChildren<QWidget*>().isEmpty());
}

} // namespace
