#pragma once

#include "Report.h"

#include <QFont>

namespace host {

// The report's text font: what the printers set by name, and the Qt font that prints it.
class ReportFont final : public Nelvar::IReportFont {
public:
    QString Name() const override { return m_name; }
    void setName(const QString& name) override { m_name = name; }
    float Size() const override { return m_size; }
    void setSize(float points) override { m_size = points; }
    bool Bold() const override { return m_bold; }
    void setBold(bool bold) override { m_bold = bold; }
    bool Italic() const override { return m_italic; }
    void setItalic(bool italic) override { m_italic = italic; }

    // The family through reportFontFamily; a size that is not positive keeps Qt's default size.
    QFont toQFont() const;

    static constexpr const char* kDefaultName = "Arial";
    static constexpr float kDefaultSize = 10.0f;

private:
    QString m_name = QString::fromLatin1(kDefaultName);
    float m_size = kDefaultSize;
    bool m_bold = false;
    bool m_italic = false;
};

} // namespace host
