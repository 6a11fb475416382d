#include "ui/XNonObtrusiveMsg.h"

#include "elements/HighResTimer.h"
#include "elements/MGlobalFunctions.h"
#include "TranslateControls.h"

#include "com/Error.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

namespace ZeltorTests {

XNonObtrusiveMsg::XNonObtrusiveMsg(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("XNonObtrusiveMsg"));
    m_fraFrame.setObjectName(QStringLiteral("fraFrame"));
    m_lblTitle.setObjectName(QStringLiteral("lblTitle"));
    m_lblMsg.setObjectName(QStringLiteral("lblMsg"));

    setAutoFillBackground(true);
    resize(widgets::twipsToPixels(4800), widgets::twipsToPixels(1200));
    m_fraFrame.setFrameShape(QFrame::Box);
    m_lblTitle.setFont(widgets::windowsFont(QStringLiteral("Arial"), 9.75, true));
    m_lblMsg.setWordWrap(true);
    m_lblMsg.setAlignment(Qt::AlignCenter);
    m_frameLayout.addWidget(&m_lblTitle);
    m_frameLayout.addWidget(&m_lblMsg, 1);
    m_layout.setContentsMargins(0, 0, 0, 0);
    m_layout.addWidget(&m_fraFrame);

    Zeltor::translateControls(*this);
    hide();
}

XNonObtrusiveMsg::~XNonObtrusiveMsg() = default;

void XNonObtrusiveMsg::Show(const QString& message, const QString& caption, int32_t milliseconds,
                            const QWidget& container)
{
    if (!m_closeTimer) {
        m_closeTimer = MGlobalFunctions::CreateHighResTimer();
        if (!m_closeTimer)
            throw com::Error::cannotCreateObject(QStringLiteral("HighResTimer"), QStringLiteral("XNonObtrusiveMsg"));
        m_closeTimer->setTimerHandler([this] {
            m_closeTimer->setEnabled(false);
            Hide();
        });
    }
    m_lblMsg.setText(message);
    m_lblTitle.setText(caption + QLatin1Char(' '));
    show();
    raise();
    m_closeTimer->setInterval(milliseconds);
    m_closeTimer->setEnabled(true);
    move(container.width() / 2 - width() / 2, container.height() / 2 - height() / 2);
}

void XNonObtrusiveMsg::Hide()
{
    hide();
}

} // namespace ZeltorTests
