#pragma once

#include "Report.h"

#include "com/Error.h"

#include <QStringList>

#include <algorithm>
#include <memory>

// A report on fixed pages that writes down, one line of text each, every call that changes it:
// settings ("Font.Size=6", "TextAlignment=1", "DrawStyle=4", "FillColor=C0C0C0", "CurrentY=2280",
// "TextAngle=900", "TableOptionA=7"), drawing ("Line(1,2,3,4)", "DrawLine(1,2,3,4)",
// "Rectangle(1,2,3,4,0,0)", "PrintText(text,left,top,width,height,1,0,0)"), "NewPage" and
// "PrintTable(format,header,body,0,0,0)". Queries are answered without a record: a text is 50
// twips wide per character of its longest line and 100 twips high per line, and GetText gives the
// default text of a language key. A text box whose text is `failingText` is recorded and then
// fails with invalid call (5), as a report that cannot print it would.
class RecordingReport final : public Nelvar::IReport, public Nelvar::IReportPage {
public:
    RecordingReport() = default;
    RecordingReport(const RecordingReport&) = delete;
    RecordingReport& operator=(const RecordingReport&) = delete;

    static constexpr int32_t kCharWidth = 50;
    static constexpr int32_t kLineHeight = 100;

    QStringList calls;
    int32_t printOptions = 0;
    int32_t printLevel = 0;
    int32_t pageTop = 1000;
    int32_t pageLeft = 1000;
    int32_t pageRight = 11000;
    int32_t pageBottom = 16000;
    int32_t currentY = pageTop;
    QString failingText;

    // Forgets the calls and goes back to the top of the page.
    void restart()
    {
        calls.clear();
        currentY = pageTop;
    }

    // The recorded calls that begin with one of the prefixes, in order.
    QStringList callsStartingWith(const QStringList& prefixes) const
    {
        QStringList found;
        for (const QString& call : calls)
            if (std::any_of(prefixes.begin(), prefixes.end(), [&](const QString& p) { return call.startsWith(p); }))
                found << call;
        return found;
    }

    // IReport
    QString GetText(const QString&, const QString& key, const QStringList&) override
    {
        const qsizetype separator = key.indexOf(QStringLiteral("::"));
        return separator < 0 ? key : key.mid(separator + 2);
    }
    int32_t PrintOptions() const override { return printOptions; }
    int32_t PrintLevel() const override { return printLevel; }
    int32_t CurrentY() const override { return currentY; }
    void setCurrentY(int32_t y) override
    {
        currentY = y;
        record(QStringLiteral("CurrentY=%1").arg(y));
    }
    void PageLeft(int32_t, int32_t& left) const override { left = pageLeft; }
    void PageRight(int32_t, int32_t& right) const override { right = pageRight; }
    void PageBottom(int32_t, int32_t& bottom) const override { bottom = pageBottom; }
    void NewPage() override
    {
        currentY = pageTop;
        record(QStringLiteral("NewPage"));
    }
    std::shared_ptr<Nelvar::IReportFont> Font() const override { return m_font; }
    void setTextAlignment(int32_t alignment) override { record(QStringLiteral("TextAlignment=%1").arg(alignment)); }
    void TextWidth(const QString& text, int32_t& width) const override
    {
        width = 0;
        for (const QString& line : lines(text))
            width = std::max(width, static_cast<int32_t>(line.size()) * kCharWidth);
    }
    void TextHeight(const QString& text, int32_t& height) const override
    {
        height = static_cast<int32_t>(lines(text).size()) * kLineHeight;
    }
    void PrintWidth(int32_t, int32_t& width) const override { width = pageRight - pageLeft; }
    void setTableOptionA(int32_t value) override { record(QStringLiteral("TableOptionA=%1").arg(value)); }
    void setTableOptionB(int32_t value) override { record(QStringLiteral("TableOptionB=%1").arg(value)); }
    void setTableOptionC(int32_t value) override { record(QStringLiteral("TableOptionC=%1").arg(value)); }
    void PrintTable(const QString& format, const QString& header, const QString& body, int32_t reserved1,
                    int32_t reserved2, int32_t reserved3) override
    {
        record(QStringLiteral("PrintTable(%1,%2,%3,%4,%5,%6)")
                   .arg(format, header, body)
                   .arg(reserved1)
                   .arg(reserved2)
                   .arg(reserved3));
    }
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override
    {
        record(QStringLiteral("DrawLine(%1,%2,%3,%4)").arg(x1).arg(y1).arg(x2).arg(y2));
    }

    // IReportPage
    int32_t CurrentX() const override { return pageLeft; }
    void setDrawStyle(int32_t style) override { record(QStringLiteral("DrawStyle=%1").arg(style)); }
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override
    {
        record(QStringLiteral("Line(%1,%2,%3,%4)").arg(x1).arg(y1).arg(x2).arg(y2));
    }
    void setFillStyle(int32_t style) override { record(QStringLiteral("FillStyle=%1").arg(style)); }
    void setFillColor(int32_t colour) override
    {
        record(QStringLiteral("FillColor=") + QStringLiteral("%1").arg(colour, 6, 16, QLatin1Char('0')).toUpper());
    }
    void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t reserved1, int32_t reserved2) override
    {
        record(QStringLiteral("Rectangle(%1,%2,%3,%4,%5,%6)").arg(x1).arg(y1).arg(x2).arg(y2).arg(reserved1).arg(reserved2));
    }
    void PrintText(const QString& text, int32_t left, int32_t top, int32_t width, int32_t height, bool flag1,
                   bool flag2, bool flag3) override
    {
        record(QStringLiteral("PrintText(%1,%2,%3,%4,%5,%6,%7,%8)")
                   .arg(text)
                   .arg(left)
                   .arg(top)
                   .arg(width)
                   .arg(height)
                   .arg(int{flag1})
                   .arg(int{flag2})
                   .arg(int{flag3}));
        if (!failingText.isEmpty() && text == failingText)
            throw com::Error::invalidCall();
    }
    int32_t TextAngle() const override { return m_textAngle; }
    void setTextAngle(int32_t angle) override
    {
        m_textAngle = angle;
        record(QStringLiteral("TextAngle=%1").arg(angle));
    }

private:
    class RecordingFont final : public Nelvar::IReportFont {
    public:
        explicit RecordingFont(RecordingReport& report) : m_report(report) {}
        QString Name() const override { return m_name; }
        void setName(const QString& name) override
        {
            m_name = name;
            m_report.record(QStringLiteral("Font.Name=") + name);
        }
        float Size() const override { return m_size; }
        void setSize(float points) override
        {
            m_size = points;
            m_report.record(QStringLiteral("Font.Size=%1").arg(points));
        }
        bool Bold() const override { return m_bold; }
        void setBold(bool bold) override
        {
            m_bold = bold;
            m_report.record(QStringLiteral("Font.Bold=%1").arg(int{bold}));
        }
        bool Italic() const override { return m_italic; }
        void setItalic(bool italic) override
        {
            m_italic = italic;
            m_report.record(QStringLiteral("Font.Italic=%1").arg(int{italic}));
        }

    private:
        RecordingReport& m_report;
        QString m_name;
        float m_size = 10.0f;
        bool m_bold = false;
        bool m_italic = false;
    };

    static QStringList lines(const QString& text)
    {
        QString normalised = text;
        normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return normalised.split(QLatin1Char('\n'));
    }
    void record(const QString& call) { calls << call; }

    const std::shared_ptr<RecordingFont> m_font = std::make_shared<RecordingFont>(*this);
    int32_t m_textAngle = 0;
};
