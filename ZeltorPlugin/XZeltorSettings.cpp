#include "XZeltorSettings.h"

#include "CZeltorSetup.h"
#include "SettingsRegistryLayout.h"
#include "SettingsTextBoxes.h"

#include "GConverters.h"

#include "HostViews.h"
#include "ListPosition.h"
#include "MeasurementSettingsControls.h"
#include "NamedControls.h"
#include "SettingsValueTexts.h"
#include "TranslateControls.h"

#include "com/Failure.h"
#include "format/Format.h"
#include "widgets/Colors.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QResizeEvent>
#include <QSlider>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <utility>

namespace ZeltorPlugin {

namespace {

using Zeltor::named;
using Zeltor::positionOf;
using Zeltor::selectPosition;

// The control's size as designed, the help text's height, and the advanced page's place and
// size below the tab row, in twips.
constexpr int kDesignWidth = 7215;
constexpr int kDesignHeight = 5295;
constexpr int kHelpTextHeight = 975;
constexpr int kMargin = 60;
constexpr QRect kAdvancedPage{120, 120, 6855, 3015};

constexpr int kGlobalUnitsTab = 0;
constexpr int kVentilatorTestTab = 1;
constexpr int kDefaultTestTab = 2;
constexpr int kAdvancedTab = 3;

constexpr std::array<int32_t, 3> kTemperatureUnits{ZeltorConverter::eunTemperature_Celcius,
                                                    ZeltorConverter::eunTemperature_Fahrenheit,
                                                    ZeltorConverter::eunTemperature_Kelvin};
constexpr std::array<int32_t, 5> kResistanceLevels{5, 20, 50, 200, 500};
constexpr int32_t kFirstFlowUnit = ZeltorConverter::eunFlow_MLpSec;

const QString kHelpText = QStringLiteral(
    "20141::Enter preferences for the Zeltor plug-in. Some of these settings can be overridden in each test "
    "element's custom setup. If you change global unit settings you must restart Nelvar before the changes take "
    "place.");

QLabel* title(const char* caption, const char* name, QWidget* parent)
{
    auto* heading = named<QLabel>(name, QString::fromUtf8(caption), parent);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    heading->setFont(font);
    return heading;
}

QComboBox* list(const char* name, QWidget* parent)
{
    auto* box = named<QComboBox>(name, parent);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

// A row of a page's grid: the caption, the control and, where it has one, its unit. The labels are
// named after the control: "lbl" and the control's name after its prefix, "Unit" added for the unit.
void addRow(QGridLayout& grid, QWidget& parent, const char* caption, QWidget* control, const char* unit = nullptr)
{
    const int row = grid.rowCount();
    const QByteArray name = "lbl" + control->objectName().mid(3).toLatin1();
    grid.addWidget(Zeltor::label(caption, name.constData(), &parent), row, 0);
    grid.addWidget(control, row, 1);
    if (unit)
        grid.addWidget(Zeltor::label(unit, (name + "Unit").constData(), &parent), row, 2);
}

// The number of a text: its leading number (sign, digits and decimal point; the rest ignored; no
// number gives 0) rounded to a whole number, halves to even; none when that does not fit 32 bits.
std::optional<int32_t> numberOf(const QString& text)
{
    std::optional<int32_t> number;
    com::ignoreFailure([&] { number = format::toInt32(format::leadingNumber(text)); });
    return number;
}

void enableWithColour(QWidget& control, bool enabled)
{
    control.setEnabled(enabled);
    widgets::setBackgroundColor(control, enabled ? widgets::kSystemWindow : widgets::kSystemButtonFace);
}

} // namespace

XZeltorSettings::XZeltorSettings()
    : m_tabs(*this,
             {"20120::&Global units", "20121::&Ventilator test settings", "20122::&Default test settings",
              "20142::Advanced"},
             QStringLiteral("pboTabPage(%1)"))
{
    setObjectName(QStringLiteral("XZeltorSettings"));
    fixLock(false);
    buildGlobalUnits(m_tabs.container(kGlobalUnitsTab));
    buildVentilatorTestSettings(m_tabs.container(kVentilatorTestTab));
    buildDefaultTestSettings(m_tabs.container(kDefaultTestTab));
    buildAdvanced(m_tabs.container(kAdvancedTab));

    createHelpText();
    setHelpText(kHelpText);

    Zeltor::translateControls(*this);
    fillLists();
    connectEdits();
    resize(widgets::twipsToPixels(kDesignWidth), widgets::twipsToPixels(kDesignHeight));
}

XZeltorSettings::~XZeltorSettings() = default;

void XZeltorSettings::buildGlobalUnits(QWidget& page)
{
    auto* grid = new QGridLayout(&page);
    grid->addWidget(title("Zeltor Unit Settings", "lblGlobalUnitsTitle", &page), 0, 0, 1, 3);
    m_temperatureUnit = list("cboTemperatureUnit", &page);
    m_temperatureUnit->setToolTip(QStringLiteral("Unit of temperature to be used in testing"));
    m_flowUnit = list("cboFlowUnit", &page);
    m_flowUnit->setToolTip(QStringLiteral("Unit of flow to be used in testing"));
    m_pressureUnit = list("cboPressureUnit", &page);
    m_highPressureUnit = list("cboHighPressureUnit", &page);
    for (QComboBox* pressure : {m_pressureUnit, m_highPressureUnit})
        pressure->setToolTip(QStringLiteral("Unit of pressure to be used in testing"));
    m_gasMixture = list("cboGasMixture", &page);
    m_gasMixture->setToolTip(QStringLiteral("Gas mixture used in testing"));
    addRow(*grid, page, "20138::Temperature unit:", m_temperatureUnit);
    addRow(*grid, page, "20137::Flow unit:", m_flowUnit);
    addRow(*grid, page, "20135::Pressure unit:", m_pressureUnit);
    addRow(*grid, page, "20170::High Pressure Unit:", m_highPressureUnit);
    addRow(*grid, page, "20136::Gas mixture:", m_gasMixture);
    grid->setRowStretch(grid->rowCount(), 1);
    grid->setColumnStretch(3, 1);
}

void XZeltorSettings::buildVentilatorTestSettings(QWidget& page)
{
    auto* layout = new QGridLayout(&page);

    auto* environment = named<QGroupBox>("fraEnvironment", QStringLiteral("20123::Environment"), &page);
    auto* environmentGrid = new QGridLayout(environment);
    m_atmosphericPressure = named<SettingsNumberBox>("txtAtmosphericPressure", environment);
    m_relativeHumidity = named<SettingsNumberBox>("txtRelativeHumidity", environment);
    addRow(*environmentGrid, *environment, "20126::Atmospheric pressure:", m_atmosphericPressure, "mmHg");
    addRow(*environmentGrid, *environment, "20127::Relative humidity:", m_relativeHumidity, "%");

    auto* resistance = named<QGroupBox>("fraResistance", &page);
    auto* resistanceGrid = new QGridLayout(resistance);
    m_resistanceAttached = named<QCheckBox>("chkResistanceAttached", QStringLiteral("20125::Resistance attached"), resistance);
    resistanceGrid->addWidget(m_resistanceAttached, 0, 0, 1, 2);
    m_resistanceType = list("cboResistanceType", resistance);
    m_resistanceLevel = list("cboResistanceLevel", resistance);
    m_resistanceLevel->addItems({QStringLiteral("5"), QStringLiteral("20"), QStringLiteral("50"),
                                 QStringLiteral("200"), QStringLiteral("500")});
    addRow(*resistanceGrid, *resistance, "20132::Type:", m_resistanceType);
    addRow(*resistanceGrid, *resistance, "20131::Level:", m_resistanceLevel);

    auto* lung = named<QGroupBox>("fraArtificalLung", &page);
    auto* lungGrid = new QGridLayout(lung);
    m_lungAttached = named<QCheckBox>("chkLungAttached", QStringLiteral("20128::Artifical lung attached"), lung);
    lungGrid->addWidget(m_lungAttached, 0, 0, 1, 2);
    m_complianceValue = named<SettingsTextBox>("txtCompliancevalue", lung);
    m_complianceUnit = list("cboComplianceUnit", lung);
    m_complianceUnit->addItems(Zeltor::SettingsValues::kComplianceUnitTexts);
    m_complianceUnit->setToolTip(QStringLiteral("Compliance unit to be used by external lung"));
    addRow(*lungGrid, *lung, "20129::Compliance value:", m_complianceValue);
    addRow(*lungGrid, *lung, "20130::Compliance unit:", m_complianceUnit);

    layout->addWidget(environment, 0, 0, 1, 2);
    layout->addWidget(resistance, 1, 0);
    layout->addWidget(lung, 1, 1);
    layout->setRowStretch(2, 1);
}

void XZeltorSettings::buildDefaultTestSettings(QWidget& page)
{
    auto* grid = new QGridLayout(&page);
    grid->addWidget(title("20122::Default Test Settings", "lblDefaultTestSettingsTitle", &page), 0, 0, 1, 3);
    m_noiseLevel = named<SettingsNumberBox>("txtNoiseLevel", &page);
    m_detectLevel = named<SettingsNumberBox>("txtDetectLevel", &page);
    m_referenceUnit = list("cboReferenceUnit", &page);
    m_referenceUnit->setToolTip(QStringLiteral("Gas mixture used in testing"));
    m_breathsPerCalculation = Zeltor::breathsPerCalculationList(page);
    m_breathsPerCalculation->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    addRow(*grid, page, "20110::Noise level:", m_noiseLevel, "ml/min");
    addRow(*grid, page, "20111::Detect level:", m_detectLevel, "ml/min");
    addRow(*grid, page, "20112::Reference unit:", m_referenceUnit);
    addRow(*grid, page, "20113::Breaths per calculation:", m_breathsPerCalculation);
    m_massFlowCalculation = named<QCheckBox>("chkMassFlowCalculation", QStringLiteral("20115::Use mass flow calculation"), &page);
    grid->addWidget(m_massFlowCalculation, grid->rowCount(), 0, 1, 3);
    m_suppression = new Zeltor::SuppressionControls(page, *grid, grid->rowCount(),
                                                    Zeltor::SuppressionControls::Rounding::Nearest);
    m_suppression->slider().setSingleStep(1);
    m_suppression->slider().setPageStep(2);
    m_suppression->slider().setTickPosition(QSlider::TicksBelow);
    // The design position: the first step.
    m_suppression->show(Zeltor::SuppressionControls::kStepMs);
    grid->setRowStretch(grid->rowCount(), 1);
    grid->setColumnStretch(3, 1);
}

void XZeltorSettings::buildAdvanced(QWidget& page)
{
    auto* layout = new QGridLayout(&page);
    layout->addWidget(title("20147::Zeltor Advanced settings", "lblAdvancedTitle", &page), 0, 0);
    auto* advanced = named<QGroupBox>("fraAdvanced", QStringLiteral("20171::Volume calculation"), &page);
    auto* grid = new QGridLayout(advanced);
    m_flowThreshold = named<SettingsNumberBox>("txtFlowThreshold", advanced);
    m_pressureThreshold = named<SettingsNumberBox>("txtPressureThreshold", advanced);
    addRow(*grid, *advanced, "20183::Flow zero-threshold", m_flowThreshold, "ml/min");
    addRow(*grid, *advanced, "20184::Pressure zero-threshold", m_pressureThreshold, "mmHg");
    layout->addWidget(advanced, 1, 0);
    layout->setRowStretch(2, 1);
    page.setGeometry(widgets::twipsRect(kAdvancedPage.x(), kAdvancedPage.y(), kAdvancedPage.width(),
                                        kAdvancedPage.height()));
}

void XZeltorSettings::fillLists()
{
    using namespace ZeltorConverter;
    using GConverters::ParseUnitIDToString;
    for (const int32_t unit : {eunFlow_MLpSec, eunFlow_LpSec, eunFlow_LpMin})
        m_flowUnit->addItem(ParseUnitIDToString(unit));
    for (int32_t unit = eunPressure_CmH20; unit <= eunPressure_PSI; ++unit) {
        m_pressureUnit->addItem(ParseUnitIDToString(unit));
        m_highPressureUnit->addItem(ParseUnitIDToString(unit));
    }
    for (const int32_t unit : kTemperatureUnits)
        m_temperatureUnit->addItem(ParseUnitIDToString(unit));
    m_referenceUnit->addItems(Zeltor::SettingsValues::kReferenceUnitTexts);
    m_gasMixture->addItems({Zeltor::translated(QStringLiteral("20139::Air")), QStringLiteral("O2"),
                            QStringLiteral("O2/N2"), QStringLiteral("O2/N2O")});
    m_resistanceType->addItems({Zeltor::translated(QStringLiteral("20133::Parabolic")),
                                Zeltor::translated(QStringLiteral("20134::Linear"))});
    // A list starts without a selection; Initialize selects what the settings hold.
    for (QComboBox* box : findChildren<QComboBox*>())
        box->setCurrentIndex(-1);
}

void XZeltorSettings::editsNumber(SettingsTextBox* box, void (CZeltorSetup::*set)(int32_t))
{
    connectEdit(box, &QLineEdit::textEdited, [this, set](const QString& text) {
        if (const std::optional<int32_t> number = numberOf(text))
            (*m_settings.*set)(*number);
    });
}

void XZeltorSettings::editsThreshold(SettingsTextBox* box, void (CZeltorSetup::*set)(float))
{
    connectEdit(box, &QLineEdit::textEdited, [this, set](const QString& text) {
        // A text without a number leaves the threshold as it is; the edit is reported all the same.
        com::ignoreFailure([&] { (*m_settings.*set)(SettingsRegistryLayout::thresholdOf(text)); });
    });
}

void XZeltorSettings::connectEdits()
{
    const auto onChoice = [this](QComboBox* box, auto&& store) {
        connectEdit(box, &QComboBox::activated,
                    [this, box, store](int position) { store(*m_settings, position, box->itemText(position)); });
    };
    onChoice(m_flowUnit, [](CZeltorSetup& s, int position, const QString&) { s.setFlowUnit(position + kFirstFlowUnit); });
    onChoice(m_pressureUnit, [](CZeltorSetup& s, int position, const QString&) { s.setPressureUnit(position); });
    onChoice(m_highPressureUnit, [](CZeltorSetup& s, int position, const QString&) { s.setHighPressureUnit(position); });
    onChoice(m_temperatureUnit, [](CZeltorSetup& s, int, const QString& text) {
        for (const int32_t unit : kTemperatureUnits)
            if (text == ZeltorConverter::GConverters::ParseUnitIDToString(unit))
                s.setTemperatureUnit(unit);
    });
    onChoice(m_gasMixture, [](CZeltorSetup& s, int position, const QString&) { s.setGasMixture(position); });
    onChoice(m_referenceUnit, [](CZeltorSetup& s, int position, const QString&) { s.setReferenceUnit(position); });
    onChoice(m_breathsPerCalculation, [](CZeltorSetup& s, int, const QString& text) {
        if (const std::optional<int32_t> breaths = numberOf(text))
            s.setBreathsPerCalculation(*breaths);
    });
    onChoice(m_resistanceType, [](CZeltorSetup& s, int position, const QString&) { s.setExternalResistanceType(position); });
    onChoice(m_resistanceLevel, [](CZeltorSetup& s, int, const QString& text) {
        if (const std::optional<int32_t> level = numberOf(text))
            s.setResistanceLevel(*level);
    });
    onChoice(m_complianceUnit, [](CZeltorSetup& s, int position, const QString&) { s.setComplianceUnit(position); });

    connectEdit(m_massFlowCalculation, &QCheckBox::clicked,
                [this](bool checked) { m_settings->setCalculateMassFlow(checked); });
    // The controls follow the check box also on an unbound page.
    connect(m_lungAttached, &QCheckBox::clicked, this, [this] { com::ignoreFailure([&] { matchLungControls(); }); });
    connectEdit(m_lungAttached, &QCheckBox::clicked,
                [this](bool checked) { m_settings->setExternalLungAttached(checked); });
    connect(m_resistanceAttached, &QCheckBox::clicked, this,
            [this] { com::ignoreFailure([&] { matchResistanceControls(); }); });
    connectEdit(m_resistanceAttached, &QCheckBox::clicked,
                [this](bool checked) { m_settings->setExternalResistanceAttached(checked); });

    editsNumber(m_noiseLevel, &CZeltorSetup::setNoiseLevel);
    editsNumber(m_detectLevel, &CZeltorSetup::setDetectLevel);
    editsNumber(m_atmosphericPressure, &CZeltorSetup::setAtmosphericPressure);
    editsNumber(m_relativeHumidity, &CZeltorSetup::setRelativeHumidity);
    editsNumber(m_complianceValue, &CZeltorSetup::setComplianceValue);
    editsThreshold(m_flowThreshold, &CZeltorSetup::setFlowThreshold);
    editsThreshold(m_pressureThreshold, &CZeltorSetup::setPressureThreshold);

    m_suppression->setMovedHandler(editHandler([this](int32_t period) { suppressionMoved(period); }));
}

void XZeltorSettings::Initialize(const com::Value& inData)
{
    const LoadingScope loading(*this);
    m_settings.reset();
    com::ignoreFailure([&] { m_settings = inData.objectAs<CZeltorSetup>(); });
    if (!m_settings)
        return;
    CZeltorSetup& settings = *m_settings;
    com::ignoreFailure([&] { settings.RegLoad(0, QString()); });

    selectPosition(*m_pressureUnit, settings.PressureUnit());
    selectPosition(*m_highPressureUnit, settings.HighPressureUnit());
    selectPosition(*m_flowUnit, int64_t{settings.FlowUnit()} - kFirstFlowUnit);
    if (const int temperature = positionOf(kTemperatureUnits, settings.TemperatureUnit()); temperature >= 0)
        m_temperatureUnit->setCurrentIndex(temperature);

    m_noiseLevel->setText(QString::number(settings.NoiseLevel()));
    m_detectLevel->setText(QString::number(settings.DetectLevel()));
    selectPosition(*m_referenceUnit, settings.ReferenceUnit());

    m_breathsPerCalculation->setCurrentIndex(
        std::max(positionOf(Zeltor::kBreathsPerCalculation, settings.BreathsPerCalculation()), 0));
    // Opening the page stores the count it shows.
    settings.setBreathsPerCalculation(
        Zeltor::kBreathsPerCalculation[static_cast<size_t>(m_breathsPerCalculation->currentIndex())]);

    m_lungAttached->setChecked(settings.ExternalLungAttached());
    selectPosition(*m_complianceUnit, settings.ComplianceUnit());
    m_complianceValue->setText(QString::number(settings.ComplianceValue()));

    m_resistanceAttached->setChecked(settings.ExternalResistanceAttached());
    selectPosition(*m_resistanceType, settings.ExternalResistanceType());
    selectPosition(*m_resistanceLevel, positionOf(kResistanceLevels, settings.ResistanceLevel()));

    m_suppression->show(settings.SuppressPressurePeakPeriod());

    selectPosition(*m_gasMixture, settings.GasMixture());
    m_massFlowCalculation->setChecked(settings.CalculateMassFlow());
    m_atmosphericPressure->setText(QString::number(settings.AtmosphericPressure()));
    m_relativeHumidity->setText(QString::number(settings.RelativeHumidity()));

    matchLungControls();
    matchResistanceControls();

    m_flowThreshold->setText(format::generalText(settings.FlowThreshold()));
    m_pressureThreshold->setText(format::generalText(settings.PressureThreshold()));
}

void XZeltorSettings::matchLungControls()
{
    const bool attached = m_lungAttached->isChecked();
    enableWithColour(*m_complianceValue, attached);
    enableWithColour(*m_complianceUnit, attached);
}

void XZeltorSettings::matchResistanceControls()
{
    const bool attached = m_resistanceAttached->isChecked();
    enableWithColour(*m_resistanceType, attached);
    enableWithColour(*m_resistanceLevel, attached);
}

void XZeltorSettings::suppressionMoved(int32_t period)
{
    m_settings->setSuppressPressurePeakPeriod(period);
    m_suppression->slider().setToolTip(
        QStringLiteral("%1: %2 ms").arg(Zeltor::translated(QStringLiteral("231::Value"))).arg(period));
    m_suppression->showPeriod(period);
}

void XZeltorSettings::SetFocus()
{
    m_tabs.strip().setFocus(Qt::OtherFocusReason);
}

void XZeltorSettings::resizeEvent(QResizeEvent* event)
{
    PageBase::resizeEvent(event);
    com::ignoreFailure([&] {
        const QSize size = event->size();
        m_tabs.placeStrip(size);
        // The tab strip's client area is what lies below its row of tabs.
        const int clientTop = widgets::pixelsToTwips(m_tabs.strip().height());
        const int clientWidth = widgets::pixelsToTwips(size.width());
        const int clientHeight = std::max(widgets::pixelsToTwips(size.height()) - clientTop, 0);
        const int left = kMargin;
        const int top = clientTop + kMargin;
        const int width = std::max(clientWidth - 2 * kMargin, 0);
        const int height = std::max(clientHeight - kHelpTextHeight - 2 * kMargin, 0);
        if (Nelvar::XHelpText* const help = helpText())
            help->setGeometry(widgets::twipsRect(left, top + height, width, kHelpTextHeight));
        for (const int tab : {kGlobalUnitsTab, kVentilatorTestTab, kDefaultTestTab})
            m_tabs.container(tab).setGeometry(widgets::twipsRect(left, top, width, std::max(height - kMargin, 0)));
        // The advanced page keeps its size.
        m_tabs.container(kAdvancedTab)
            .move(widgets::twipsRect(kAdvancedPage.x(), clientTop + kAdvancedPage.y(), 0, 0).topLeft());
    });
}

} // namespace ZeltorPlugin
