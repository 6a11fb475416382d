#include "TestGuideStatusBar.h"

#include "testmodel/ResultStatus.h"

namespace host {

namespace {

// The status's colour; empty for the palette's.
const char* colorOf(int32_t status)
{
    switch (status) {
    case rstPassed: return "#1a7f37";
    case rstFailed: return "#cf222e";
    case rstNotApplicable: return "#57606a";
    default: return "";
    }
}

// The status as the strip shows it: "Passed", "Failed", "Not applicable"; nothing for any other.
QString shownText(int32_t status)
{
    if (status < rstPassed || status > rstNotApplicable)
        return {};
    QString text = resultStatusText(status);
    text[0] = text[0].toUpper();
    return text;
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
    const char* color = colorOf(status);
    m_statusText.setText(shownText(status));
    m_statusText.setStyleSheet(*color ? QStringLiteral("color: %1").arg(QLatin1String(color)) : QString());
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
