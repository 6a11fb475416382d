#pragma once

#include "report/ReportCanvas.h"
#include "report/ReportFont.h"
#include "report/ReportTablePrinter.h"

#include "Report.h"

#include <memory>

namespace host {

// The host's report: records print their tables, texts and graphs into it, and it draws them
// into a PDF file (A4, twips as device units; see ReportCanvas). The print position starts at the
// top of the first page's printable area; CurrentX is always the printable area's left edge.
//
// Text boxes (PrintText): the box is top-aligned at `top` and the report's TextAlignment places
// the text horizontally in it; with a TextAngle the box turns counter-clockwise about its top left
// corner. The three flags:
//   1 wrap: words wrap at the box's width (line breaks in the text always break);
//   2 clip: text beyond the box is cut off; without it text may run over the box's edges;
//   3 fit:  the box first grows to hold the text unwrapped (it never shrinks), and afterwards
//           the print position moves to the box's bottom edge.
// Rectangles are outlined in black and filled with FillColor when FillStyle is 0 (solid); the
// two further arguments are not used. Lines and DrawLine draw in DrawStyle: 0 solid, 4 dotted,
// any other style solid.
// Tables (PrintTable) print at the print position in the table font (Arial 9) whatever the
// current text font, in the table text of TableText.h ruled as TableStyle says (options A, B and
// C); the print position then moves 140 twips below the table. PrintWidth answers the printable
// width for the argument 10.
// Every page is numbered in its bottom margin, centred in Arial 8: "page N of M" once the number
// of pages is told (PageNumbering.h prints a report twice to know it), else "page N".
class HostReport final : public Nelvar::IReport, public Nelvar::IReportPage {
public:
    // Starts the PDF file; raises 75 when it cannot be written.
    explicit HostReport(const QString& pdfFileName, int32_t printOptions = 0,
                        int32_t printLevel = Nelvar::IReport::kPrintLevelGraphs);

    // Writes the PDF out; raises 75 when it could not be written. Nothing prints afterwards.
    void finish();
    int32_t PageCount() const { return m_canvas.pageCount(); }
    // The number of pages the report will have, for the page numbers.
    void setPageTotal(int32_t total) { m_pageTotal = total; }

    // IReport
    QString GetText(const QString& product, const QString& key, const QStringList& arguments = {}) override;
    int32_t PrintOptions() const override { return m_printOptions; }
    int32_t PrintLevel() const override { return m_printLevel; }
    int32_t CurrentY() const override { return m_currentY; }
    void setCurrentY(int32_t y) override { m_currentY = y; }
    void PageLeft(int32_t page, int32_t& left) const override;
    void PageRight(int32_t page, int32_t& right) const override;
    void PageBottom(int32_t page, int32_t& bottom) const override;
    void NewPage() override;
    std::shared_ptr<Nelvar::IReportFont> Font() const override { return m_font; }
    void setTextAlignment(int32_t alignment) override { m_alignment = alignment; }
    void TextWidth(const QString& text, int32_t& width) const override;
    void TextHeight(const QString& text, int32_t& height) const override;
    // Raises invalid call (5) for any argument but 10.
    void PrintWidth(int32_t what, int32_t& width) const override;
    void setTableOptionA(int32_t value) override { m_tableStyle.rules = value; }
    void setTableOptionB(int32_t value) override { m_tableStyle.shading = value; }
    void setTableOptionC(int32_t value) override { m_tableStyle.repeatHeader = value; }
    // Raises invalid call (5) for a column format it cannot read, printing nothing.
    void PrintTable(const QString& format, const QString& header, const QString& body, int32_t reserved1,
                    int32_t reserved2, int32_t reserved3) override;
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;

    // IReportPage
    int32_t CurrentX() const override { return m_canvas.geometry().left; }
    void setDrawStyle(int32_t style) override { m_drawStyle = style; }
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void setFillStyle(int32_t style) override { m_fillStyle = style; }
    void setFillColor(int32_t colour) override { m_fillColor = colour; }
    void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t reserved1, int32_t reserved2) override;
    void PrintText(const QString& text, int32_t left, int32_t top, int32_t width, int32_t height, bool wrap,
                   bool clip, bool fit) override;
    int32_t TextAngle() const override { return m_textAngle; }
    void setTextAngle(int32_t angle) override { m_textAngle = angle; }

private:
    const PageGeometry& pageOf(int32_t page) const;
    void numberPage();

    ReportCanvas m_canvas;
    const int32_t m_printOptions;
    const int32_t m_printLevel;
    const std::shared_ptr<ReportFont> m_font = std::make_shared<ReportFont>();
    int32_t m_currentY;
    int32_t m_alignment = etaLeft;
    int32_t m_drawStyle = edsSolid;
    int32_t m_fillStyle = efsSolid;
    int32_t m_fillColor = 0xFFFFFF;
    int32_t m_textAngle = 0;
    TableStyle m_tableStyle;
    int32_t m_pageTotal = 0;
    bool m_finished = false;
};

} // namespace host
