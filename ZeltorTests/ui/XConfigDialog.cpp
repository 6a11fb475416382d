#include "ui/XConfigDialog.h"

#include "ui/DigitBox.h"
#include "NamedControls.h"
#include "ui/DurationControls.h"
#include "elements/CConfigZeltor.h"

#include "com/Failure.h"
#include "format/Format.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include <initializer_list>

namespace ZeltorTests {

using Zeltor::label;
using Zeltor::named;

namespace {

constexpr int32_t kFlowTest = 300;

constexpr ConfigurationPageLayout kLayout{0, 2000, 3165, 2240, -1};

} // namespace

XConfigDialog::XConfigDialog() : ConfigurationPage("XConfigDialog", kLayout)
{
    QGroupBox& settings = addFrame("20100::Test settings", "fraTestSettings");
    auto* grid = new QGridLayout(&settings);
    grid->addWidget(label("20103::Test duration: ", "lblTestDuration", &settings), 0, 0);
    m_duration = new DurationControls(settings, *grid, 0, DurationControls::Rounding::Down);
    m_duration->setEditedHandler(editHandler([this](int32_t minutes) { m_configuration->setDuration(minutes); }));
    m_noiseLabel = label("20110::Noise Level:", "lblNoiseLevel", &settings);
    m_noiseLevel = named<DigitBox>("txtNoiseLevel", &settings);
    m_noiseLevel->setMaxLength(4);
    m_noiseUnit = label("ml/min", "lblNoiseLevelUnit", &settings);
    grid->addWidget(m_noiseLabel, 3, 0);
    grid->addWidget(m_noiseLevel, 3, 1);
    grid->addWidget(m_noiseUnit, 3, 2);
    grid->setRowStretch(4, 1);
    for (QWidget* noise : std::initializer_list<QWidget*>{m_noiseLabel, m_noiseLevel, m_noiseUnit})
        noise->hide();
    connectEdit(m_noiseLevel, &QLineEdit::textChanged, [this] { return noiseLevelEdited(); });

    addTestGuideFrame();
    setHelpText(QStringLiteral("20116::Please select a duration for this test."));
    finishCreation();
}

XConfigDialog::~XConfigDialog() = default;

void XConfigDialog::Initialize(const com::Value& inData)
{
    const LoadingScope loading(*this);
    m_configuration.reset();
    com::ignoreFailure([&] { m_configuration = inData.objectAs<CConfigZeltor>(); });
    if (!m_configuration) {
        setVisible(false);
        return;
    }
    setVisible(true);
    const bool flowTest = m_configuration->TestKind() == kFlowTest;
    com::ignoreFailure([&] { m_duration->show(m_configuration->Duration()); });
    if (flowTest)
        m_noiseLevel->setText(QString::number(m_configuration->NoiseLevel()));
    handOverTestGuideConfig(m_configuration->TestGuideConfig());
    for (QWidget* noise : std::initializer_list<QWidget*>{m_noiseLabel, m_noiseLevel, m_noiseUnit})
        noise->setVisible(flowTest);
}

bool XConfigDialog::noiseLevelEdited()
{
    if (!format::isNumeric(m_noiseLevel->text())) {
        m_noiseLevel->selectAll();
        return false;
    }
    m_configuration->setNoiseLevel(m_noiseLevel->wholeNumber());
    return true;
}

void XConfigDialog::lockChanged(bool locked)
{
    com::ignoreFailure([&] {
        m_duration->setLocked(locked);
        m_noiseLevel->setReadOnly(locked);
    });
    lockTestGuideSettings(locked);
}

void XConfigDialog::SetFocus() { m_duration->hoursBox().setFocus(Qt::OtherFocusReason); }

} // namespace ZeltorTests
