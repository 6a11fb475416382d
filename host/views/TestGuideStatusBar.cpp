#include "TestGuideStatusBar.h"

namespace host {

namespace {

struct StatusLook {
    const char* text;
    const char* color; // empty: the palette's
};

StatusLook lookOf(int32_t status)
{
    switch (status) {
    case 1: return {"Passed", "#1a7f37"};
    case 2: return {"Failed", "#cf222e"};
    case 3: return {"Not applicable", "#57606a"};
    default: return {"", ""};
    }
}

} // namespace

TestGuideStatusBar::TestGuideStatusBar(QWidget* parent) : Nelvar::XTestGuideStatusBar(parent)
{
    m_statusText.setObjectName(QStringLiteral("status"));
    m_commentText.setObjectName(QStringLiteral("comment"));
    m_standardText.setObjectName(QStringLiteral("standard"));
    m_layout.setContentsMargins(4, 0, 4, 0);
    m_layout.addWidget(&m_statusText);
    m_layout.addWidget(&m_commentText);
    m_layout.addStretch(1);
    m_layout.addWidget(&m_standardText);
    QFont bold = m_statusText.font();
    bold.setBold(true);
    m_statusText.setFont(bold);
}

void TestGuideStatusBar::setStatus(int32_t status)
{
    m_status = status;
    const StatusLook look = lookOf(status);
    m_statusText.setText(QString::fromLatin1(look.text));
    m_statusText.setStyleSheet(*look.color ? QStringLiteral("color: %1").arg(QLatin1String(look.color)) : QString());
}

void TestGuideStatusBar::setCommentFlag(bool hasComment)
{
    m_commentFlag = hasComment;
    m_commentText.setText(hasComment ? QStringLiteral("Commented") : QString());
}

void TestGuideStatusBar::SetStandard(const QString& name, const QString& completeName)
{
    m_standardText.setText(completeName.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(completeName, name));
}

} // namespace host
