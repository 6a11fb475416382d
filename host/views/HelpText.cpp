#include "HelpText.h"

namespace host {

HelpText::HelpText(QWidget* parent) : Nelvar::XHelpText(parent)
{
    m_text.setObjectName(QStringLiteral("text"));
    m_text.setWordWrap(true);
    m_text.setTextFormat(Qt::PlainText);
    m_text.setFrameShape(QFrame::StyledPanel);
    m_text.setMargin(6);
    m_text.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_layout.setContentsMargins(0, 0, 0, 0);
    m_layout.addWidget(&m_text);
}

} // namespace host
