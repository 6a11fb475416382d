#include "ui/XConfigVentilatorDialog.h"

#include "ui/DigitBox.h"
#include "ui/DurationControls.h"
#include "ListPosition.h"
#include "MeasurementSettingsControls.h"
#include "NamedControls.h"
#include "SettingsValueTexts.h"
#include "ui/XParameterView.h"
#include "elements/CConfigVentilator.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CSettings.h"
#include "elements/CTestVentilator.h"
#include "elements/CZeltorLimitData.h"

#include "HostServices.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "format/Format.h"
#include "widgets/Colors.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSlider>

namespace ZeltorTests {

using Zeltor::label;
using Zeltor::named;

namespace {

constexpr ConfigurationPageLayout kLayout{1335, 0, 2585, 1575, 120};

constexpr int32_t kHighestDetectLevel = 10000;
constexpr int32_t kDefaultTrendInterval = 15;
constexpr int kTrendFrame = 3;

const char* const kTrendHelp =
    "20522::Specify whether trending should be active throughout the entire test. Lowest permitted sampling "
    "interval is calculated from the test duration and the amount of samples available. If a lower interval "
    "setting is entered, it will be ignored and the lowest permitted value will be used.";
const char* const kGeneralHelp =
    "20107::Select a duration for the ventilator test and configure the Zeltor's measurement parameters. You can "
    "also select which measurements are to be displayed during the test in the parameter view setup.";

} // namespace

XConfigVentilatorDialog::XConfigVentilatorDialog() : ConfigurationPage("XConfigVentilatorDialog", kLayout)
{
    m_testSettings = &addFrame("20100::Test settings", "fraTestSettings");
    auto* duration = new QGridLayout(m_testSettings);
    duration->addWidget(label("20103::Test duration:", "lblDuration", m_testSettings), 0, 0);
    m_duration = new DurationControls(*m_testSettings, *duration, 0, DurationControls::Rounding::Nearest);
    m_duration->setEditedHandler(editHandler([this](int32_t minutes) { m_configuration->setDuration(minutes); }));
    duration->setRowStretch(3, 1);

    m_measurementParams = &createMeasurementFrame();

    m_parameterFrame = &addFrame("20102::Parameter view", "fraParameterView");
    m_parameterFrame->setToolTip(QStringLiteral("Right-click to select a predefined view"));
    m_parameterView = named<XParameterView>("xpvParamView", m_parameterFrame);
    m_parameterView->setChangeHandler(editHandler([this] { parameterViewChanged(); }, {.whileLoading = true}));

    m_trendSettings = &createTrendFrame();
    addTestGuideFrame();
    finishCreation();
    showTrendIntervalEnabled(m_trendingActive->isChecked());
}

XConfigVentilatorDialog::~XConfigVentilatorDialog() = default;

QGroupBox& XConfigVentilatorDialog::createMeasurementFrame()
{
    QGroupBox& frame = addFrame("20101::Measurement params", "fraMeasurementParams");
    frame.setTitle(QStringLiteral("20101::Measurement parameters"));
    auto* grid = new QGridLayout(&frame);
    m_detectLevel = named<DigitBox>("txtDetectLevel", &frame);
    m_referenceUnit = named<QComboBox>("cboReferenceUnit", &frame);
    m_referenceUnit->addItems(Zeltor::SettingsValues::kReferenceUnitTexts);
    m_referenceUnit->setToolTip(QStringLiteral("Gas mixture used in testing"));
    // The lists start without a selection; Initialize selects what the configuration holds.
    m_referenceUnit->setCurrentIndex(-1);
    m_breathsPerCalculation = Zeltor::breathsPerCalculationList(frame);
    m_massFlow = named<QCheckBox>("chkMassFlowCalculation", QStringLiteral("20115::Use mass flow calculation"), &frame);
    grid->addWidget(label("20111::Detect level:", "lbldetectLevel", &frame), 0, 0);
    grid->addWidget(m_detectLevel, 0, 1);
    grid->addWidget(label("ml/min", "lblDetectLevelUnit", &frame), 0, 2);
    grid->addWidget(label("20112::Reference unit:", "lblReferenceUnit", &frame), 1, 0);
    grid->addWidget(m_referenceUnit, 1, 1);
    grid->addWidget(label("20113::Breaths per calculation:", "lblBreathsPerCalculation", &frame), 2, 0);
    grid->addWidget(m_breathsPerCalculation, 2, 1);
    grid->addWidget(m_massFlow, 3, 0, 1, 3);
    m_suppression = new Zeltor::SuppressionControls(frame, *grid, 4, Zeltor::SuppressionControls::Rounding::Down);
    grid->setRowStretch(5, 1);

    connectEdit(m_detectLevel, &QLineEdit::textChanged, [this] { detectLevelChanged(); });
    connectEdit(m_referenceUnit, &QComboBox::activated,
                [this](int index) { referenceUnitChosen(m_referenceUnit->itemText(index)); });
    connectEdit(m_breathsPerCalculation, &QComboBox::activated,
                [this](int index) { breathsPerCalculationChosen(m_breathsPerCalculation->itemText(index)); });
    connectEdit(m_massFlow, &QCheckBox::clicked,
                [this] { com::required(m_configuration->Settings()).setCalculateMassFlow(m_massFlow->isChecked()); });
    // The period is applied when the slider's value changes, not on every mouse move over it.
    m_suppression->setMovedHandler(editHandler([this](int32_t period) { suppressionChanged(period); }));
    return frame;
}

QGroupBox& XConfigVentilatorDialog::createTrendFrame()
{
    QGroupBox& frame = addFrame("20143::Trend settings", "fraTrendSettings");
    auto* grid = new QGridLayout(&frame);
    m_trendingActive = named<QCheckBox>("chkTrendingActive", QStringLiteral("20144::Trending active"), &frame);
    m_trendInterval = named<DigitBox>("txtTrendInterval", &frame);
    grid->addWidget(m_trendingActive, 0, 0, 1, 3);
    grid->addWidget(label("20145::Sampling interval", "lblTrend_IntervalTitle", &frame), 1, 0);
    grid->addWidget(m_trendInterval, 1, 1);
    grid->addWidget(label("20146::Seconds", "lblTrend_IntervalSec", &frame), 1, 2);
    grid->setRowStretch(2, 1);
    connectEdit(m_trendingActive, &QCheckBox::clicked, [this] { trendingClicked(); }, {.whileLocked = false});
    // Also while the page is loading: an interval below 1 is corrected as it is shown.
    connectEdit(m_trendInterval, &QLineEdit::textChanged, [this] { trendIntervalChanged(); }, {.whileLoading = true});
    return frame;
}

void XConfigVentilatorDialog::Initialize(const com::Value& inData)
{
    const LoadingScope loading(*this);
    m_test.reset();
    m_configuration.reset();
    com::ignoreFailure([&] {
        m_test = inData.objectAs<CTestVentilator>();
        if (m_test)
            m_configuration = std::dynamic_pointer_cast<CConfigVentilator>(m_test->Configuration());
    });
    if (!m_configuration) {
        setVisible(false);
        return;
    }
    setVisible(true);
    loadControls();
}

void XConfigVentilatorDialog::loadControls()
{
    if (const auto& settings = m_configuration->Settings()) {
        // A stored value outside a list shows no entry rather than one the test would not send.
        Zeltor::selectPosition(*m_breathsPerCalculation,
                               Zeltor::positionOf(Zeltor::kBreathsPerCalculation, settings->BreathsPerCalculation()));
        m_detectLevel->setText(QString::number(settings->DetectLevel()));
        Zeltor::selectPosition(*m_referenceUnit, settings->ReferenceUnit());
        m_massFlow->setChecked(settings->CalculateMassFlow());
        m_suppression->show(settings->SuppressPressurePeakPeriod());
        showSuppressionTip(settings->SuppressPressurePeakPeriod());
    }
    com::ignoreFailure([&] { m_duration->show(m_configuration->Duration()); });
    if (const auto& trend = m_configuration->TrendSettings()) {
        m_trendingActive->setChecked(trend->Active());
        m_trendInterval->setText(QString::number(trend->Interval()));
        showTrendIntervalEnabled(trend->Active());
    }
    handOverTestGuideConfig(m_configuration->TestGuideConfig());
    com::ignoreFailure([&] { m_parameterView->Initialize(m_configuration->Parameters()); });
}

void XConfigVentilatorDialog::showSuppressionTip(int32_t period)
{
    m_suppression->slider().setToolTip(QStringLiteral("%1 ms").arg(period));
}

void XConfigVentilatorDialog::showTrendIntervalEnabled(bool enabled)
{
    m_trendInterval->setEnabled(enabled);
    widgets::setBackgroundColor(*m_trendInterval, enabled ? widgets::kSystemWindow : widgets::kSystemButtonFace);
}

void XConfigVentilatorDialog::detectLevelChanged()
{
    int32_t level = m_detectLevel->wholeNumber();
    if (level > kHighestDetectLevel) {
        {
            const QSignalBlocker blocker(m_detectLevel);
            m_detectLevel->setText(QString::number(kHighestDetectLevel));
        }
        m_detectLevel->selectAll();
        level = kHighestDetectLevel;
    }
    com::required(m_configuration->Settings()).setDetectLevel(level);
}

void XConfigVentilatorDialog::referenceUnitChosen(const QString& text)
{
    const auto unit = Zeltor::SettingsValues::kReferenceUnitTexts.indexOf(text);
    com::required(m_configuration->Settings()).setReferenceUnit(unit < 0 ? 0 : static_cast<int32_t>(unit));
}

void XConfigVentilatorDialog::breathsPerCalculationChosen(const QString& text)
{
    com::required(m_configuration->Settings()).setBreathsPerCalculation(format::toInt32(format::leadingNumber(text)));
}

void XConfigVentilatorDialog::suppressionChanged(int32_t period)
{
    m_suppression->showPeriod(period);
    showSuppressionTip(period);
    com::required(m_configuration->Settings()).setSuppressPressurePeakPeriod(period);
}

void XConfigVentilatorDialog::trendingClicked()
{
    const bool active = m_trendingActive->isChecked();
    com::required(m_configuration->TrendSettings()).setActive(active);
    showTrendIntervalEnabled(active);
}

void XConfigVentilatorDialog::trendIntervalChanged()
{
    int32_t interval = m_trendInterval->wholeNumber();
    if (interval < 1) {
        interval = kDefaultTrendInterval;
        {
            const QSignalBlocker blocker(m_trendInterval);
            m_trendInterval->setText(Nelvar::utilityService().ValueToText(interval));
        }
        m_trendInterval->selectAll();
    }
    com::required(m_configuration->TrendSettings()).setInterval(interval);
}

void XConfigVentilatorDialog::parameterViewChanged()
{
    // The standards follow the parameters where they can; the change is reported all the same.
    com::ignoreFailure([&] {
        const auto owner = m_configuration->OwnerTest();
        com::required(std::dynamic_pointer_cast<CZeltorLimitData>(com::required(owner).Limits())).SyncStandards();
    });
}

void XConfigVentilatorDialog::lockChanged(bool locked)
{
    for (QGroupBox* frame : {m_measurementParams, m_testSettings, m_trendSettings})
        frame->setEnabled(!locked);
    com::ignoreFailure([&] { m_parameterView->setLocked(locked); });
    lockTestGuideSettings(locked);
}

void XConfigVentilatorDialog::frameSelected(int index)
{
    setHelpText(QString::fromUtf8(index == kTrendFrame ? kTrendHelp : kGeneralHelp));
}

void XConfigVentilatorDialog::framesPlaced(int helpTextTop)
{
    m_parameterView->setGeometry(widgets::twipsRect(120, 240, 5535, helpTextTop - 480));
}

void XConfigVentilatorDialog::SetFocus() { selectionList().setFocus(Qt::OtherFocusReason); }

} // namespace ZeltorTests
