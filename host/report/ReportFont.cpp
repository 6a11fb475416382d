#include "report/ReportFont.h"

#include "report/ReportFontFamilies.h"

namespace host {

QFont ReportFont::toQFont() const
{
    QFont font(reportFontFamily(m_name));
    if (m_size > 0.0f)
        font.setPointSizeF(m_size);
    font.setBold(m_bold);
    font.setItalic(m_italic);
    return font;
}

} // namespace host
