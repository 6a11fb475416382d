#include "ui/XQuery.h"

#include "TranslateControls.h"

#include "com/Failure.h"
#include "widgets/Twips.h"

#include <QKeyEvent>

namespace ZeltorTests {

namespace {

constexpr int kWidth = 3975;
constexpr int kTitleHeight = 315;
constexpr int kButtonTop = 1200;
constexpr int kButtonWidth = 975;
constexpr int kButtonHeight = 375;
constexpr int kHeight = 1740;

} // namespace

XQuery::XQuery(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("XQuery"));
    m_lblTitleBar.setObjectName(QStringLiteral("lblTitleBar"));
    m_lblMessage.setObjectName(QStringLiteral("lblMessage"));
    m_cmdOK.setObjectName(QStringLiteral("cmdOK"));
    m_cmdYes.setObjectName(QStringLiteral("cmdYes"));
    m_cmdNo.setObjectName(QStringLiteral("cmdNo"));

    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    resize(widgets::twipsToPixels(kWidth), widgets::twipsToPixels(kHeight));
    m_lblTitleBar.setGeometry(widgets::twipsRect(0, 0, kWidth, kTitleHeight));
    m_lblTitleBar.setAutoFillBackground(true);
    m_lblTitleBar.setBackgroundRole(QPalette::Highlight);
    m_lblTitleBar.setForegroundRole(QPalette::HighlightedText);
    m_lblMessage.setGeometry(widgets::twipsRect(120, kTitleHeight + 60, kWidth - 240, kButtonTop - kTitleHeight - 120));
    m_lblMessage.setWordWrap(true);
    m_lblMessage.setAlignment(Qt::AlignCenter);
    m_cmdYes.setGeometry(widgets::twipsRect(960, kButtonTop, kButtonWidth, kButtonHeight));
    m_cmdOK.setGeometry(widgets::twipsRect(1515, kButtonTop, kButtonWidth, kButtonHeight));
    m_cmdNo.setGeometry(widgets::twipsRect(2040, kButtonTop, kButtonWidth, kButtonHeight));

    // Enter, like Space, clicks the button that has the focus.
    for (QPushButton* button : {&m_cmdOK, &m_cmdYes, &m_cmdNo})
        button->setAutoDefault(true);

    connect(&m_cmdOK, &QPushButton::clicked, this, [this] { answer(&XQuery::OKClicked); });
    connect(&m_cmdYes, &QPushButton::clicked, this, [this] { answer(&XQuery::YesClicked); });
    connect(&m_cmdNo, &QPushButton::clicked, this, [this] { answer(&XQuery::NoClicked); });

    Zeltor::translateControls(*this);
    hide();
}

void XQuery::Show(const QString& message, int32_t style, const QString& title)
{
    m_style = style;
    m_lblTitleBar.setText(title);
    m_lblMessage.setText(message);
    show();
    raise();
    if (style == eqsYesNo) {
        m_cmdOK.hide();
        m_cmdYes.show();
        m_cmdNo.show();
        m_cmdYes.setFocus();
    } else if (style == eqsOK) {
        m_cmdOK.show();
        m_cmdYes.hide();
        m_cmdNo.hide();
        m_cmdOK.setFocus();
    }
}

void XQuery::answer(void (XQuery::*clicked)())
{
    hide();
    // The listener's failure has no caller to go to: the answer came from the operator.
    com::ignoreFailure([&] { emit(this->*clicked)(); });
}

void XQuery::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (m_style == eqsYesNo && key == Qt::Key_Y)
        m_cmdYes.click();
    else if (m_style == eqsYesNo && key == Qt::Key_N)
        m_cmdNo.click();
    else if (m_style == eqsOK && key == Qt::Key_O)
        m_cmdOK.click();
    else
        QFrame::keyPressEvent(event);
}

} // namespace ZeltorTests
