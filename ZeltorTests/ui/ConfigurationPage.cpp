#include "ConfigurationPage.h"

#include "HostControl.h"
#include "TranslateControls.h"

#include "HostViews.h"

#include "com/Failure.h"
#include "widgets/Twips.h"

#include <QGroupBox>
#include <QListWidget>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace ZeltorTests {

namespace {

// The page's size as designed, and the help text's place below the frames, in twips.
constexpr int kDesignWidth = 8350;
constexpr int kDesignHeight = 3300;
constexpr int kHelpTextTop = 2240;
constexpr int kHelpTextHeight = 925;
constexpr int kListWidth = 2000;
constexpr int kFramesLeft = 2100;
constexpr int kFramesWidth = 6250;

} // namespace

ConfigurationPage::ConfigurationPage(const char* objectName, const ConfigurationPageLayout& layout)
    : m_layout(layout), m_selection(new QListWidget(this))
{
    setObjectName(QString::fromLatin1(objectName));
    m_selection->setObjectName(QStringLiteral("lstSelectConfiguration"));
    m_helpText = hostControl<Nelvar::XHelpText>(Nelvar::kHelpTextProgId);
    if (m_helpText) {
        m_helpText->setParent(this);
        m_helpText->setObjectName(QStringLiteral("xhtHelpText"));
        m_helpText->setGeometry(widgets::twipsRect(0, kHelpTextTop, kDesignWidth, kHelpTextHeight));
    }
    connect(m_selection, &QListWidget::currentRowChanged, this,
            [this] { com::ignoreFailure([&] { showSelectedFrame(); }); });
}

ConfigurationPage::~ConfigurationPage() = default;

QGroupBox& ConfigurationPage::addFrame(const char* caption, const char* name)
{
    auto* frame = new QGroupBox(QString::fromUtf8(caption), this);
    frame->setObjectName(QString::fromLatin1(name));
    frame->hide();
    m_frames.push_back(frame);
    m_selection->addItem(QString::fromUtf8(caption));
    return *frame;
}

void ConfigurationPage::addTestGuideFrame()
{
    QGroupBox& frame = addFrame("170::Test guide settings", "fraTestGuideSettings");
    auto* layout = new QVBoxLayout(&frame);
    m_testGuideSettings = hostControl<Nelvar::XTestGuideSettings>(Nelvar::kTestGuideSettingsProgId);
    if (m_testGuideSettings) {
        m_testGuideSettings->setObjectName(QStringLiteral("xtgTestGuideConfig"));
        layout->addWidget(m_testGuideSettings.get());
        // The control writes the test-guide configuration itself; the page only tells the host.
        m_testGuideSettings->setChangeListener([this] { com::ignoreFailure([&] { raiseChange(); }); });
    }
    layout->addStretch();
}

void ConfigurationPage::finishCreation()
{
    Zeltor::translateControls(*this);
    for (int row = 0; row < m_selection->count(); ++row) {
        QListWidgetItem* entry = m_selection->item(row);
        entry->setText(Zeltor::translated(entry->text()));
    }
    m_selection->setCurrentRow(0);
    resize(widgets::twipsToPixels(kDesignWidth), widgets::twipsToPixels(kDesignHeight));
}

void ConfigurationPage::handOverTestGuideConfig(const std::shared_ptr<Nelvar::ITestGuideConfig>& config)
{
    if (m_testGuideSettings)
        com::ignoreFailure([&] { m_testGuideSettings->SetTestGuideConfig(config); });
}

void ConfigurationPage::lockTestGuideSettings(bool locked)
{
    if (m_testGuideSettings)
        com::ignoreFailure([&] { m_testGuideSettings->setLocked(locked); });
}

void ConfigurationPage::setHelpText(const QString& key)
{
    if (m_helpText)
        com::ignoreFailure([&] { m_helpText->setText(Zeltor::translated(key)); });
}

void ConfigurationPage::showSelectedFrame()
{
    const int selected = m_selection->currentRow();
    for (size_t index = 0; index < m_frames.size(); ++index)
        m_frames[index]->setVisible(static_cast<int>(index) == selected);
    frameSelected(selected);
}

void ConfigurationPage::frameSelected(int) {}

void ConfigurationPage::framesPlaced(int) {}

void ConfigurationPage::resizeEvent(QResizeEvent* event)
{
    PageBase::resizeEvent(event);
    com::ignoreFailure([&] {
        const int height = std::max(widgets::pixelsToTwips(event->size().height()), m_layout.smallestHeight);
        if (height <= m_layout.fixedBelow)
            return;
        if (height < m_layout.fullLayoutFrom) {
            const int helpHeight = height - m_layout.helpTextMargin;
            if (m_helpText && helpHeight >= 0) {
                m_helpText->resize(m_helpText->width(), widgets::twipsToPixels(helpHeight));
                m_helpText->setVisible(helpHeight > m_layout.helpTextShownAbove);
            }
            return;
        }
        int helpTop = height;
        if (m_helpText) {
            m_helpText->show();
            helpTop = widgets::pixelsToTwips(m_helpText->y());
        }
        m_selection->setGeometry(widgets::twipsRect(0, 120, kListWidth, helpTop - 240));
        for (QGroupBox* frame : m_frames)
            frame->setGeometry(widgets::twipsRect(kFramesLeft, 0, kFramesWidth, helpTop - 120));
        framesPlaced(helpTop);
    });
}

} // namespace ZeltorTests
