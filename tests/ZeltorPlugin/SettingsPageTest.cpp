// The settings page over a settings object on the host's file registry, opened as the host opens
// it (ISetup.CreateDialog, docked), driven by synthesized keys and clicks, with a counting host
// callback; and the host's settings window, whose OK stores and whose Cancel drops the edits.

#include "CZeltorSetup.h"

#include "PageInput.h"
#include "HostFixture.h"
#include "SettingsWindow.h"

#include "Dialogs.h"
#include "Product.h"
#include "Registry.h"

#include "com/ClassRegistry.h"
#include "widgets/Colors.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QVariant>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

using ZeltorPlugin::CZeltorSetup;

namespace {

using StoredValues = std::vector<std::pair<QString, com::Value>>;

std::shared_ptr<Nelvar::IRegistry> settingsKey()
{
    const auto registry =
        com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(QString::fromLatin1(Nelvar::kRegistryProgId));
    registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
    return registry;
}

// The settings key holds these values and no others.
void storeSettings(const StoredValues& values)
{
    settingsKey()->DeleteKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
    const auto registry = settingsKey();
    for (const auto& [name, value] : values)
        registry->SetValue(name, value);
}

QByteArray registryFile()
{
    QFile file(QString::fromLocal8Bit(qgetenv("NELVAR_REGISTRY")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a control shows: a property of the named control.
struct Shown {
    const char* control;
    const char* property;
    QVariant value;
};

} // namespace

class SettingsPageTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_PLUGIN_LIBRARY));
        host.resize(640, 480);
    }
    void TearDown() override
    {
        if (dialog)
            dialog->Unload();
        dialog.reset();
        HostFixture::TearDown();
    }

    // Opens the page as the host does: made by the settings object, given a callback, docked.
    QWidget& open()
    {
        if (dialog)
            dialog->Unload();
        dialog = setup->CreateDialog();
        if (!dialog)
            throw std::runtime_error("no settings page");
        dialog->setCallBack(callBack);
        dialog->Dock(&host);
        dialog->Move(0, 0, 600, 420);
        dialog->Show(0);
        host.show();
        return child(host, "XZeltorSettings");
    }
    void showTab(int tab) const { child<QTabBar>(host, "tbsTabStrip").setCurrentIndex(tab); }
    QLineEdit& box(const char* name) const { return child<QLineEdit>(host, name); }
    QComboBox& list(const char* name) const { return child<QComboBox>(host, name); }

    QWidget host;
    std::shared_ptr<CZeltorSetup> setup = std::make_shared<CZeltorSetup>();
    std::shared_ptr<CountingCallBack> callBack = std::make_shared<CountingCallBack>();
    std::shared_ptr<Nelvar::IDialog> dialog;
};

// Opening the page reloads the stored settings and shows them; values outside a list leave it
// without a selection; nothing is reported.
TEST_F(SettingsPageTest, LoadedValuesShowInTheControlsWithoutAChange)
{
    const struct {
        const char* what;
        StoredValues stored;
        std::vector<Shown> shown;
        std::function<void(const CZeltorSetup&)> kept;
    } cases[] = {
        {"units in their lists",
         {{"FlowUnit", 102}, {"PressureUnit", 3}, {"HighPressureUnit", 4}, {"TemperatureUnit", 203},
          {"GasMixture", 3}, {"ReferenceUnit", 5}, {"BreathsPerCalculation", 16}},
         {{"cboFlowUnit", "currentText", "l/min"},
          {"cboPressureUnit", "currentText", "kPa"},
          {"cboHighPressureUnit", "currentText", "PSI"},
          {"cboTemperatureUnit", "currentText", "K"},
          {"cboGasMixture", "currentText", "O2/N2O"},
          {"cboReferenceUnit", "currentText", "NTPD"},
          {"cboBreathsPerCalculation", "currentText", "16"}},
         [](const CZeltorSetup& s) { EXPECT_EQ(s.BreathsPerCalculation(), 16); }},
        {"units out of their lists",
         {{"FlowUnit", 0}, {"PressureUnit", 7}, {"HighPressureUnit", -1}, {"TemperatureUnit", 202}, {"GasMixture", 4}},
         {{"cboFlowUnit", "currentIndex", -1},
          {"cboPressureUnit", "currentIndex", -1},
          {"cboHighPressureUnit", "currentIndex", -1},
          {"cboTemperatureUnit", "currentIndex", -1},
          {"cboGasMixture", "currentIndex", -1}},
         [](const CZeltorSetup& s) {
             EXPECT_EQ(s.FlowUnit(), 0);
             EXPECT_EQ(s.TemperatureUnit(), 202);
         }},
        {"breaths per calculation 0 shows and stores 1",
         {{"BreathsPerCalculation", 0}},
         {{"cboBreathsPerCalculation", "currentText", "1"}},
         [](const CZeltorSetup& s) { EXPECT_EQ(s.BreathsPerCalculation(), 1); }},
        {"resistance attached, linear, level 200",
         {{"ExternalResistanceAttached", "True"}, {"ExternalResistanceType", 1}, {"ResistanceLevel", 200}},
         {{"chkResistanceAttached", "checked", true},
          {"cboResistanceType", "currentText", "Linear"},
          {"cboResistanceLevel", "currentText", "200"},
          {"cboResistanceLevel", "enabled", true},
          {"cboResistanceType", "enabled", true}},
         [](const CZeltorSetup& s) { EXPECT_EQ(s.ResistanceLevel(), 200); }},
        {"a resistance level outside the list",
         {{"ResistanceLevel", 100}, {"ExternalResistanceAttached", "False"}},
         {{"cboResistanceLevel", "currentIndex", -1}, {"cboResistanceLevel", "enabled", false}},
         [](const CZeltorSetup& s) { EXPECT_EQ(s.ResistanceLevel(), 100); }},
        {"suppression 70",
         {{"SuppressPressurePeakPeriod", 70}},
         {{"sldSuppressPressurePeakPeriod", "value", 7}, {"lblSuppressPressurePeakPeriodValue", "text", "70 ms"}},
         [](const CZeltorSetup& s) { EXPECT_EQ(s.SuppressPressurePeakPeriod(), 70); }},
        {"suppression 25 rounds half to even",
         {{"SuppressPressurePeakPeriod", 25}},
         {{"sldSuppressPressurePeakPeriod", "value", 2}, {"lblSuppressPressurePeakPeriodValue", "text", "25 ms"}},
         [](const CZeltorSetup& s) { EXPECT_EQ(s.SuppressPressurePeakPeriod(), 25); }},
        {"lung not attached",
         {{"ExternalLungAttached", "False"}, {"ComplianceValue", 25}, {"ComplianceUnit", 1}},
         {{"chkLungAttached", "checked", false},
          {"txtCompliancevalue", "text", "25"},
          {"txtCompliancevalue", "enabled", false},
          {"cboComplianceUnit", "currentText", "mBar/l/s"},
          {"cboComplianceUnit", "enabled", false}},
         [](const CZeltorSetup& s) { EXPECT_FALSE(s.ExternalLungAttached()); }},
        {"numbers and thresholds",
         {{"NoiseLevel", 250}, {"DetectLevel", 1500}, {"AtmosphericPressure", 742}, {"RelativeHumidity", 40},
          {"CalculateMassFlow", "False"}, {"FlowThreshold", "2.5"}, {"PressureThreshold", "0.125"}},
         {{"txtNoiseLevel", "text", "250"},
          {"txtDetectLevel", "text", "1500"},
          {"txtAtmosphericPressure", "text", "742"},
          {"txtRelativeHumidity", "text", "40"},
          {"chkMassFlowCalculation", "checked", false},
          {"txtFlowThreshold", "text", "2.5"},
          {"txtPressureThreshold", "text", ".125"}},
         [](const CZeltorSetup& s) { EXPECT_FLOAT_EQ(s.FlowThreshold(), 2.5f); }},
    };
    for (const auto& [what, stored, shown, kept] : cases) {
        SCOPED_TRACE(what);
        storeSettings(stored);
        const QByteArray before = registryFile();
        const QWidget& page = open();
        for (const Shown& expected : shown)
            EXPECT_EQ(child(page, expected.control).property(expected.property), expected.value)
                << expected.control << "." << expected.property;
        kept(*setup);
        EXPECT_EQ(callBack->changes, 0);
        EXPECT_EQ(registryFile(), before) << "opening the page stores nothing";
    }
}

// Each user edit reaches the settings object at once and is reported: one "Change" for each
// accepted key of a text box, one for each choice, tick and slider step.
TEST_F(SettingsPageTest, EditsChangeTheSettingsAndAreReportedOnceEach)
{
    storeSettings({{"NoiseLevel", 500}, {"AtmosphericPressure", 760}, {"RelativeHumidity", 40},
                   {"FlowThreshold", "1.5"}, {"PressureThreshold", "0.25"}, {"BreathsPerCalculation", 4},
                   {"SuppressPressurePeakPeriod", 30}, {"ExternalResistanceAttached", "True"}, {"ResistanceLevel", 5}});
    open();
    const auto key = [](QWidget& control, Qt::Key pressed) {
        control.setFocus();
        QTest::keyClick(&control, pressed);
    };
    const struct {
        const char* what;
        int tab;
        std::function<void()> edit;
        std::function<double(const CZeltorSetup&)> stored;
        double expected;
        int changes;
    } cases[] = {
        {"letters do not type into a number box", 2, [&] { typeInto(box("txtNoiseLevel"), QStringLiteral("ab")); },
         [](const CZeltorSetup& s) { return s.NoiseLevel(); }, 500, 0},
        {"12.5 stores 12, letters in between pass over", 2,
         [&] { typeInto(box("txtNoiseLevel"), QStringLiteral("12x.5")); },
         [](const CZeltorSetup& s) { return s.NoiseLevel(); }, 12, 4},
        {"12,5 stores 12", 2, [&] { typeInto(box("txtDetectLevel"), QStringLiteral("12,5")); },
         [](const CZeltorSetup& s) { return s.DetectLevel(); }, 12, 4},
        {"1.2.3 stores 1", 1, [&] { typeInto(box("txtAtmosphericPressure"), QStringLiteral("1.2.3")); },
         [](const CZeltorSetup& s) { return s.AtmosphericPressure(); }, 1, 5},
        {"a number beyond 32 bits leaves the last one that fitted", 1,
         [&] { typeInto(box("txtRelativeHumidity"), QStringLiteral("99999999999")); },
         [](const CZeltorSetup& s) { return s.RelativeHumidity(); }, 999999999, 11},
        {"the compliance box takes any key", 1, [&] {
             tick(child<QCheckBox>(host, "chkLungAttached"));
             typeInto(box("txtCompliancevalue"), QStringLiteral("2x5"));
         },
         [](const CZeltorSetup& s) { return s.ComplianceValue(); }, 2, 4},
        {"a threshold takes the text's number", 3, [&] { typeInto(box("txtFlowThreshold"), QStringLiteral("2.75")); },
         [](const CZeltorSetup& s) { return s.FlowThreshold(); }, 2.75, 4},
        {"a cleared threshold keeps its value", 3, [&] {
             box("txtFlowThreshold").selectAll();
             key(box("txtFlowThreshold"), Qt::Key_Backspace);
         },
         [](const CZeltorSetup& s) { return s.FlowThreshold(); }, 2.75, 1},
        {"breaths per calculation by their text", 2, [&] { key(list("cboBreathsPerCalculation"), Qt::Key_End); },
         [](const CZeltorSetup& s) { return s.BreathsPerCalculation(); }, 32, 1},
        {"the resistance level by its text", 1, [&] { key(list("cboResistanceLevel"), Qt::Key_Down); },
         [](const CZeltorSetup& s) { return s.ResistanceLevel(); }, 20, 1},
        {"the temperature unit by its text", 0, [&] { key(list("cboTemperatureUnit"), Qt::Key_End); },
         [](const CZeltorSetup& s) { return s.TemperatureUnit(); }, 203, 1},
        {"the flow unit by its position", 0, [&] { key(list("cboFlowUnit"), Qt::Key_End); },
         [](const CZeltorSetup& s) { return s.FlowUnit(); }, 102, 1},
        {"the reference unit by its position", 2, [&] { key(list("cboReferenceUnit"), Qt::Key_End); },
         [](const CZeltorSetup& s) { return s.ReferenceUnit(); }, 5, 1},
        {"one slider step is 10 ms", 2, [&] { key(child(host, "sldSuppressPressurePeakPeriod"), Qt::Key_Right); },
         [](const CZeltorSetup& s) { return s.SuppressPressurePeakPeriod(); }, 40, 1},
        {"a large slider step is two", 2, [&] { key(child(host, "sldSuppressPressurePeakPeriod"), Qt::Key_PageUp); },
         [](const CZeltorSetup& s) { return s.SuppressPressurePeakPeriod(); }, 60, 1},
        {"unticking the resistance", 1, [&] { tick(child<QCheckBox>(host, "chkResistanceAttached")); },
         [](const CZeltorSetup& s) { return s.ExternalResistanceAttached(); }, 0, 1},
        {"unticking the mass flow calculation", 2, [&] { tick(child<QCheckBox>(host, "chkMassFlowCalculation")); },
         [](const CZeltorSetup& s) { return s.CalculateMassFlow(); }, 0, 1},
    };
    for (const auto& [what, tab, edit, stored, expected, changes] : cases) {
        SCOPED_TRACE(what);
        showTab(tab);
        const int before = callBack->changes;
        edit();
        EXPECT_DOUBLE_EQ(stored(*setup), expected);
        EXPECT_EQ(callBack->changes - before, changes);
    }

    EXPECT_EQ(box("txtNoiseLevel").text(), QStringLiteral("12.5"));
    EXPECT_EQ(box("txtRelativeHumidity").text(), QStringLiteral("99999999999"));
    EXPECT_TRUE(setup->ExternalLungAttached());
    EXPECT_TRUE(box("txtCompliancevalue").isEnabled());
    EXPECT_EQ(child<QLabel>(host, "lblSuppressPressurePeakPeriodValue").text(), QStringLiteral("60 ms"));
    EXPECT_EQ(child(host, "sldSuppressPressurePeakPeriod").toolTip(), QStringLiteral("Value: 60 ms"));
    QComboBox& level = list("cboResistanceLevel");
    EXPECT_FALSE(level.isEnabled());
    EXPECT_EQ(level.palette().color(QPalette::Disabled, QPalette::Base), widgets::colorOf(widgets::kSystemButtonFace));
    EXPECT_EQ(settingsKey()->GetValue(QStringLiteral("NoiseLevel")), QStringLiteral("500"))
        << "the page stores nothing itself";
}

// With no callback the edits still reach the settings; nothing is reported.
TEST_F(SettingsPageTest, WithoutACallBackEditsStillChangeTheSettings)
{
    open();
    dialog->setCallBack(nullptr);
    showTab(2);
    typeInto(box("txtNoiseLevel"), QStringLiteral("75"));
    EXPECT_EQ(setup->NoiseLevel(), 75);
    EXPECT_EQ(callBack->changes, 0);
}

// The tabs show one page each; the pages, and the help text below them, fill the tab strip's
// client area, and none of their sizes goes below 0 when the page is made very small.
TEST_F(SettingsPageTest, TabsShowTheirPageAndThePagesFollowTheSize)
{
    QWidget& page = open();
    QWidget& units = child(page, "pboTabPage(0)");
    QWidget& advanced = child(page, "pboTabPage(3)");
    EXPECT_TRUE(units.isVisible());
    showTab(3);
    EXPECT_TRUE(advanced.isVisible());
    EXPECT_FALSE(units.isVisible());
    showTab(3);
    EXPECT_TRUE(advanced.isVisible());

    page.resize(600, 400);
    const int tabs = child(page, "tbsTabStrip").height();
    EXPECT_EQ(units.geometry(), QRect(4, tabs + 4, 592, 400 - tabs - 65 - 8 - 4));
    EXPECT_EQ(child(page, "xhtHelpText").geometry(), QRect(4, 400 - 65 - 4, 592, 65));
    EXPECT_EQ(advanced.geometry(), QRect(8, tabs + 8, 457, 201)) << "the advanced page keeps its size";

    page.resize(5, 5);
    EXPECT_EQ(units.size(), QSize(0, 0));
    EXPECT_EQ(child(page, "xhtHelpText").size(), QSize(0, 65));
}

// The host's settings window: Cancel leaves the registry as it was and the settings as stored;
// OK stores the edited settings through RegSave.
TEST_F(SettingsPageTest, OkStoresTheEditsAndCancelDropsThem)
{
    storeSettings({{"NoiseLevel", 500}, {"Duration", 45}});
    const QByteArray stored = registryFile();
    const auto edit = [&](SettingsWindow& window) {
        window.show();
        child<QTabBar>(window, "tbsTabStrip").setCurrentIndex(2);
        typeInto(child<QLineEdit>(window, "txtNoiseLevel"), QStringLiteral("80"));
        EXPECT_EQ(setup->NoiseLevel(), 80);
        EXPECT_TRUE(window.isWindowModified());
    };
    {
        SettingsWindow window(setup);
        edit(window);
        QTest::mouseClick(window.buttons().button(QDialogButtonBox::Cancel), Qt::LeftButton);
        EXPECT_EQ(window.result(), QDialog::Rejected);
    }
    EXPECT_EQ(registryFile(), stored);
    EXPECT_EQ(setup->NoiseLevel(), 500);
    {
        SettingsWindow window(setup);
        edit(window);
        QTest::mouseClick(window.buttons().button(QDialogButtonBox::Ok), Qt::LeftButton);
        EXPECT_EQ(window.result(), QDialog::Accepted);
    }
    const auto key = settingsKey();
    EXPECT_EQ(key->GetValue(QStringLiteral("NoiseLevel")), QStringLiteral("80"));
    EXPECT_EQ(key->GetValue(QStringLiteral("Duration")), QStringLiteral("45"));
    EXPECT_EQ(key->ValueCount(), 23);
}
