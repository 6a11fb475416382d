#include "XConfigDialog.h"

#include "DigitBox.h"
#include "DurationControls.h"
#include "TranslateControls.h"
#include "elements/CConfigZeltor.h"

#include "HostViews.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "format/Format.h"
#include "widgets/Twips.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace ZeltorTests {

namespace {

constexpr int32_t kFlowTest = 300;

// Layout of the page on resize, in twips.
constexpr int kNoMoveHeight = 2000;
constexpr int kFullLayoutHeight = 3165;
constexpr int kHelpTextMargin = 2240;
constexpr int kDesignWidth = 8350;
constexpr int kDesignHeight = 3300;
// The help text's place below the frames as designed.
const QRect kHelpTextPlace = widgets::twipsRect(0, 2240, 8350, 925);

QLabel* label(const char* caption, const char* name, QWidget* parent)
{
    auto* created = new QLabel(QString::fromUtf8(caption), parent);
    created->setObjectName(QString::fromLatin1(name));
    return created;
}

DigitBox* digitBox(const char* name, int maximumLength, QWidget* parent)
{
    auto* box = new DigitBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(maximumLength);
    return box;
}

// A host control created by its class name, or none when the host has none.
template <typename Control>
std::shared_ptr<Control> hostControl(const char* progId)
{
    std::shared_ptr<Control> control;
    com::ignoreFailure(
        [&] { control = com::ClassRegistry::instance().createAs<Control>(QString::fromLatin1(progId)); });
    return control;
}

} // namespace

XConfigDialog::XConfigDialog(QWidget* parent) : PageBase(parent)
{
    setObjectName(QStringLiteral("XConfigDialog"));
    createControls();
    translateControls(*this);
    for (int row = 0; row < m_selectConfiguration->count(); ++row) {
        QListWidgetItem* entry = m_selectConfiguration->item(row);
        entry->setText(translated(entry->text()));
    }
    m_selectConfiguration->setCurrentRow(0);
    showSelectedFrame();
    resize(widgets::twipsToPixels(kDesignWidth), widgets::twipsToPixels(kDesignHeight));
}

XConfigDialog::~XConfigDialog() = default;

void XConfigDialog::createControls()
{
    m_selectConfiguration = new QListWidget(this);
    m_selectConfiguration->setObjectName(QStringLiteral("lstSelectConfiguration"));
    m_selectConfiguration->addItems({QStringLiteral("20100::Test settings"), QStringLiteral("170::Test guide settings")});

    m_testSettings = new QGroupBox(QStringLiteral("20100::Test settings"), this);
    m_testSettings->setObjectName(QStringLiteral("fraTestSettings"));
    auto* settings = new QGridLayout(m_testSettings);
    settings->addWidget(label("20103::Test duration: ", "lblTestDuration", m_testSettings), 0, 0);
    m_duration = new DurationControls(*m_testSettings, *settings, 0, DurationControls::Rounding::Down);
    m_duration->setEditedHandler([this](int32_t minutes) { durationEdited(minutes); });
    m_noiseLabel = label("20110::Noise Level:", "lblNoiseLevel", m_testSettings);
    m_noiseLevel = digitBox("txtNoiseLevel", 4, m_testSettings);
    m_noiseUnit = label("ml/min", "lblNoiseLevelUnit", m_testSettings);
    settings->addWidget(m_noiseLabel, 3, 0);
    settings->addWidget(m_noiseLevel, 3, 1);
    settings->addWidget(m_noiseUnit, 3, 2);
    settings->setRowStretch(4, 1);
    for (QWidget* noise : std::initializer_list<QWidget*>{m_noiseLabel, m_noiseLevel, m_noiseUnit})
        noise->hide();

    m_testGuideFrame = new QGroupBox(QStringLiteral("170::Test guide settings"), this);
    m_testGuideFrame->setObjectName(QStringLiteral("fraTestGuideSettings"));
    auto* testGuide = new QVBoxLayout(m_testGuideFrame);
    m_testGuideSettings = hostControl<Nelvar::XTestGuideSettings>(Nelvar::kTestGuideSettingsProgId);
    if (m_testGuideSettings) {
        m_testGuideSettings->setObjectName(QStringLiteral("xtgTestGuideConfig"));
        testGuide->addWidget(m_testGuideSettings.get());
        m_testGuideSettings->setChangeListener([this] {
            if (!isLoading())
                com::ignoreFailure([&] { raiseChange(); });
        });
    }
    testGuide->addStretch();

    m_helpText = hostControl<Nelvar::XHelpText>(Nelvar::kHelpTextProgId);
    if (m_helpText) {
        m_helpText->setParent(this);
        m_helpText->setGeometry(kHelpTextPlace);
        m_helpText->setObjectName(QStringLiteral("xhtHelpText"));
        m_helpText->setText(translated(QStringLiteral("20116::Please select a duration for this test.")));
    }

    connect(m_selectConfiguration, &QListWidget::currentRowChanged, this, [this] { showSelectedFrame(); });
    connect(m_noiseLevel, &QLineEdit::textChanged, this, [this] { noiseLevelChanged(); });
}

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
    loadControls();
    const bool flowTest = m_configuration->TestKind() == kFlowTest;
    for (QWidget* noise : std::initializer_list<QWidget*>{m_noiseLabel, m_noiseLevel, m_noiseUnit})
        noise->setVisible(flowTest);
}

void XConfigDialog::loadControls()
{
    m_duration->show(m_configuration->Duration());
    if (m_configuration->TestKind() == kFlowTest)
        m_noiseLevel->setText(QString::number(m_configuration->NoiseLevel()));
    if (m_testGuideSettings)
        com::ignoreFailure([&] { m_testGuideSettings->SetTestGuideConfig(m_configuration->TestGuideConfig()); });
}

void XConfigDialog::durationEdited(int32_t minutes)
{
    if (isLoading() || !m_configuration)
        return;
    m_configuration->setDuration(minutes);
    raiseChange();
}

void XConfigDialog::noiseLevelChanged()
{
    if (isLoading() || !m_configuration)
        return;
    com::ignoreFailure([&] {
        if (!format::isNumeric(m_noiseLevel->text())) {
            m_noiseLevel->selectAll();
            return;
        }
        m_configuration->setNoiseLevel(m_noiseLevel->wholeNumber());
        raiseChange();
    });
}

void XConfigDialog::showSelectedFrame()
{
    const int selected = m_selectConfiguration->currentRow();
    m_testSettings->setVisible(selected == 0);
    m_testGuideFrame->setVisible(selected == 1);
}

void XConfigDialog::lockChanged(bool locked)
{
    com::ignoreFailure([&] {
        m_duration->setLocked(locked);
        m_noiseLevel->setReadOnly(locked);
        if (m_testGuideSettings)
            m_testGuideSettings->setLocked(locked);
    });
}

void XConfigDialog::SetFocus() { m_duration->hoursBox().setFocus(Qt::OtherFocusReason); }

void XConfigDialog::resizeEvent(QResizeEvent* event)
{
    PageBase::resizeEvent(event);
    const int height = widgets::pixelsToTwips(event->size().height());
    const auto pixels = [](int twips) { return widgets::twipsToPixels(twips); };
    if (height <= kNoMoveHeight)
        return;
    if (height < kFullLayoutHeight) {
        if (m_helpText && height - kHelpTextMargin >= 0) {
            m_helpText->resize(m_helpText->width(), pixels(height - kHelpTextMargin));
            m_helpText->show();
        }
        return;
    }
    int helpTop = height;
    if (m_helpText) {
        m_helpText->show();
        helpTop = widgets::pixelsToTwips(m_helpText->y());
    }
    m_selectConfiguration->setGeometry(widgets::twipsRect(0, 120, 2000, helpTop - 240));
    for (QGroupBox* frame : {m_testSettings, m_testGuideFrame})
        frame->setGeometry(widgets::twipsRect(2100, 0, 6250, helpTop - 120));
}

} // namespace ZeltorTests
