#include "XStartTrendDialog.h"

#include "DigitBox.h"
#include "HostControl.h"
#include "NamedControls.h"
#include "SelectOnFocusBox.h"
#include "TranslateControls.h"

#include "HostViews.h"

#include "com/Failure.h"
#include "format/Format.h"
#include "widgets/Colors.h"
#include "widgets/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <optional>

namespace ZeltorTests {

using Zeltor::label;
using Zeltor::named;

namespace {

// The dialog's frame as designed, in twips; its shadow lies this much further right and down.
constexpr int kWidth = 4935;
constexpr int kHeight = 3720;
constexpr int kShadowOffset = 60;
constexpr int kTitleHeight = 315;
constexpr int kLeft = 240;
constexpr int kFieldWidth = kWidth - 2 * kLeft;
constexpr int kButtonTop = 3180;
constexpr int kButtonWidth = 1095;
constexpr int kButtonHeight = 375;

constexpr uint32_t kShadowColour = 0x404040;

// The interval a box text stands for: a whole number of at least one second within 32 bits
// (halves rounded to even, as the entry is converted); none for anything else, the empty text
// included.
std::optional<int32_t> intervalOf(const QString& text)
{
    if (!format::isNumeric(text))
        return std::nullopt;
    std::optional<int32_t> interval;
    com::ignoreFailure([&] { interval = format::toInt32(format::leadingNumber(text)); });
    if (interval && *interval < 1)
        return std::nullopt;
    return interval;
}

bool isEnterOrEsc(const QEvent& event)
{
    if (event.type() != QEvent::KeyPress && event.type() != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<const QKeyEvent&>(event).key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

XStartTrendDialog::XStartTrendDialog(QWidget* parent)
    : QFrame(parent), m_frame4(named<QFrame>("Frame4", this)),
      m_txtDescription(named<SelectOnFocusBox>("txtDescription", m_frame4)),
      m_txtInterval(named<DigitBox>("txtInterval", m_frame4)),
      m_cmdOK(named<QPushButton>("cmdOK", QStringLiteral("1::&OK"), m_frame4)),
      m_cmdCancel(named<QPushButton>("cmdCancel", QStringLiteral("2::&Cancel"), m_frame4)),
      m_xhtTrendIntervalHelp(hostControl<Nelvar::XHelpText>(Nelvar::kHelpTextProgId))
{
    setObjectName(QStringLiteral("XStartTrendDialog"));
    resize(widgets::twipsToPixels(kWidth + kShadowOffset), widgets::twipsToPixels(kHeight + kShadowOffset));

    auto* shadow = named<QFrame>("shpShadow", this);
    shadow->setGeometry(widgets::twipsRect(kShadowOffset, kShadowOffset, kWidth, kHeight));
    widgets::setBackColor(*shadow, kShadowColour);
    shadow->lower();
    m_frame4->setGeometry(widgets::twipsRect(0, 0, kWidth, kHeight));
    m_frame4->setFrameShape(QFrame::Box);
    m_frame4->setAutoFillBackground(true);

    // The title was designed with one colon only; it is read as the language key it stands for.
    QLabel* titleBar = label("20544::Start a new trend", "lblTitleBar", m_frame4);
    titleBar->setGeometry(widgets::twipsRect(0, 0, kWidth, kTitleHeight));
    titleBar->setAutoFillBackground(true);
    titleBar->setBackgroundRole(QPalette::Highlight);
    titleBar->setForegroundRole(QPalette::HighlightedText);
    label("20516::Trend description:", "lblDescription", m_frame4)
        ->setGeometry(widgets::twipsRect(kLeft, 480, kFieldWidth, 240));
    m_txtDescription->setGeometry(widgets::twipsRect(kLeft, 720, kFieldWidth, 315));
    label("20145::Sampling interval", "lblSamplingInterval", m_frame4)
        ->setGeometry(widgets::twipsRect(kLeft, 1155, 1935, 240));
    m_txtInterval->setGeometry(widgets::twipsRect(2280, 1115, 735, 315));
    m_txtInterval->setText(QString::number(kDefaultInterval));
    label("20146::Seconds", "lblSamplingIntervalSeconds", m_frame4)
        ->setGeometry(widgets::twipsRect(3120, 1155, 1575, 240));
    if (m_xhtTrendIntervalHelp) {
        m_xhtTrendIntervalHelp->setParent(m_frame4);
        m_xhtTrendIntervalHelp->setObjectName(QStringLiteral("xhtTrendIntervalHelp"));
        m_xhtTrendIntervalHelp->setGeometry(widgets::twipsRect(kLeft, 1560, kFieldWidth, 1500));
    }
    m_cmdOK->setGeometry(widgets::twipsRect(2280, kButtonTop, kButtonWidth, kButtonHeight));
    m_cmdCancel->setGeometry(
        widgets::twipsRect(kLeft + kFieldWidth - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight));
    for (QPushButton* button : {m_cmdOK, m_cmdCancel})
        button->setAutoDefault(true);

    // Focusing the dialog focuses the description, which selects it.
    setFocusProxy(m_txtDescription);
    for (QLineEdit* box : {m_txtDescription, static_cast<QLineEdit*>(m_txtInterval)})
        box->installEventFilter(this);
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { confirm(); });
    connect(m_cmdCancel, &QPushButton::clicked, this, [this] { cancel(); });

    Zeltor::translateControls(*this);
    if (m_xhtTrendIntervalHelp)
        com::ignoreFailure([&] {
            m_xhtTrendIntervalHelp->setText(
                Zeltor::translated(
                    QStringLiteral("20527::Please provide a descriptive text and a sampling interval for the trend."))
                + QStringLiteral("\r\n\r\n")
                + Zeltor::translated(
                    QStringLiteral("20528::If no description is entered, the elapsed test-time will be used.")));
        });
    hide();
}

XStartTrendDialog::~XStartTrendDialog() = default;

void XStartTrendDialog::Initialize(const QString& description)
{
    m_txtDescription->setText(description);
    m_txtDescription->selectAll();
}

// An interval that is no whole number of seconds from 1 to the 32-bit limit (an empty box, 0,
// an oversize entry) would stop the trend's sampling; the box is set back to the default,
// selected for typing over, and no trend is asked for.
void XStartTrendDialog::confirm()
{
    if (!m_cmdOK->isEnabled() || isHidden())
        return;
    const std::optional<int32_t> interval = intervalOf(m_txtInterval->text());
    if (!interval) {
        m_txtInterval->setText(QString::number(kDefaultInterval));
        m_txtInterval->setFocus();
        m_txtInterval->selectAll();
        return;
    }
    // The listener's failure has no caller to go to: the request came from the operator.
    com::ignoreFailure([&] { emit StartNewTrend(m_txtDescription->text(), *interval); });
    m_txtDescription->clear();
}

void XStartTrendDialog::cancel()
{
    hide();
}

// Enter and Esc in either box press OK and Cancel; the dialog takes them before any shortcut of
// the view, so Esc closes only the dialog.
bool XStartTrendDialog::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched != m_txtDescription && watched != m_txtInterval) || !isEnterOrEsc(*event))
        return QFrame::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            m_cmdCancel->click();
        else
            m_cmdOK->click();
    }
    return true;
}

} // namespace ZeltorTests
