#pragma once

#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace host {

// The printable area of the report's pages: A4 portrait with 2 cm margins, in twips from the
// paper's top left corner.
struct PageGeometry {
    int32_t left = 1134;
    int32_t top = 1134;
    int32_t right = 11906 - 1134;
    int32_t bottom = 16838 - 1134;
};

// A text box as the canvas draws it.
struct TextBox {
    QRect rect;              // top left at the anchor, width along the text
    Qt::Alignment alignment; // horizontal placement; the text is always top-aligned
    bool wrap = false;       // words wrap at the box's width; line breaks in the text always break
    bool clip = false;       // text beyond the box is cut off
    int32_t angle = 0;       // tenths of a degree, counter-clockwise about the box's top left corner
};

// The PDF that a report draws into: 1440 dots per inch, so that device units are twips. Lines,
// rectangles and texts are black on white; a line that continues the previous one in the same
// style joins it into one polyline, so long curves stay small and dotted curves keep their rhythm.
// The printable area ends before its right and bottom edges, as a printer's last dot lies before
// them: a line wholly outside it, on those edges included, prints nothing.
class ReportCanvas {
public:
    // Starts the document; raises 75 (path/file access) when the file cannot be written.
    explicit ReportCanvas(const QString& fileName);
    ~ReportCanvas();
    ReportCanvas(const ReportCanvas&) = delete;
    ReportCanvas& operator=(const ReportCanvas&) = delete;

    const PageGeometry& geometry() const { return m_geometry; }
    int32_t pageCount() const { return m_pageCount; }

    void newPage();
    void line(QPoint from, QPoint to, Qt::PenStyle style);
    // Outlined in black; filled when a colour is given.
    void rectangle(const QRect& rect, std::optional<QColor> fill);
    // Filled without an outline.
    void shade(const QRect& rect, const QColor& colour);
    void text(const QString& text, const TextBox& box, const QFont& font);
    // Width of the widest line and height of all lines of the text, unwrapped.
    QSize textExtent(const QString& text, const QFont& font) const;
    // Height of the text wrapped at `width`.
    int32_t wrappedTextHeight(const QString& text, const QFont& font, int32_t width) const;

    // Ends the document and writes it out. Raises 75 when the file could not be written.
    // Nothing may be drawn afterwards.
    void finish();

private:
    void flushPolyline();

    PageGeometry m_geometry;
    QString m_fileName;
    QFile m_file; // outlives the writer, which writes into it
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    int32_t m_pageCount = 1;
    QPolygon m_polyline;
    Qt::PenStyle m_polylineStyle = Qt::SolidLine;
};

} // namespace host
