#pragma once

#include "com/Object.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

// The host's report that records print themselves into. Positions and sizes are twips (1/1440
// inch) on the report page, Y growing downwards.
namespace Nelvar {

// The report's text font; the printers set its members by name before they print text.
class IReportFont : public virtual com::Object {
public:
    virtual QString Name() const = 0;
    virtual void setName(const QString& name) = 0;
    // Points.
    virtual float Size() const = 0;
    virtual void setSize(float points) = 0;
    virtual bool Bold() const = 0;
    virtual void setBold(bool bold) = 0;
    virtual bool Italic() const = 0;
    virtual void setItalic(bool italic) = 0;
};

// The report: texts, print position, page geometry, fonts and tables.
class IReport : public virtual com::Object {
public:
    // Option bits of the report being printed.
    enum PrintOption : int32_t {
        proDetails = 8,          // detail printing; PrintLevel says how much
        proFailedResultsOnly = 16,
    };
    // PrintLevel of a detail report that includes trends and snapshots.
    static constexpr int32_t kPrintLevelGraphs = 3;
    // Text alignment within the following text boxes.
    enum ETextAlignment : int32_t {
        etaLeft = 0,
        etaCenter = 1,
        etaRight = 2,
    };
    // The page argument of the geometry members that asks for the current page.
    static constexpr int32_t kCurrentPage = -1;

    // The translated text of a language key, for the report.
    virtual QString GetText(const QString& product, const QString& key, const QStringList& arguments = {}) = 0;
    virtual int32_t PrintOptions() const = 0;
    virtual int32_t PrintLevel() const = 0;

    // The vertical print position.
    virtual int32_t CurrentY() const = 0;
    virtual void setCurrentY(int32_t y) = 0;
    // The edges of the printable area of a page.
    virtual void PageLeft(int32_t page, int32_t& left) const = 0;
    virtual void PageRight(int32_t page, int32_t& right) const = 0;
    virtual void PageBottom(int32_t page, int32_t& bottom) const = 0;
    // Starts a new page; CurrentY is then the print position on it.
    virtual void NewPage() = 0;

    virtual std::shared_ptr<IReportFont> Font() const = 0;
    virtual void setTextAlignment(int32_t alignment) = 0;
    // The extent of a text in the current font.
    virtual void TextWidth(const QString& text, int32_t& width) const = 0;
    virtual void TextHeight(const QString& text, int32_t& height) const = 0;

    // The width that result tables size their columns from; the system asks with 10.
    virtual void PrintWidth(int32_t what, int32_t& width) const = 0;
    // Options of the next table; the system sets 7, 0 and 1 before each table.
    virtual void setTableOptionA(int32_t value) = 0;
    virtual void setTableOptionB(int32_t value) = 0;
    virtual void setTableOptionC(int32_t value) = 0;
    // Prints a table given in the report's table text: the column format, the header row and
    // the body rows. The system passes 0 for the three further arguments.
    virtual void PrintTable(const QString& format, const QString& header, const QString& body, int32_t reserved1,
                            int32_t reserved2, int32_t reserved3) = 0;
    // A line on the current page, in the current draw style.
    virtual void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
};

// The same report seen as its drawing surface.
class IReportPage : public virtual com::Object {
public:
    enum EDrawStyle : int32_t {
        edsSolid = 0,
        edsDot = 4,
    };
    enum EFillStyle : int32_t {
        efsSolid = 0,
        efsTransparent = 1,
    };

    // The page's print position.
    virtual int32_t CurrentX() const = 0;
    virtual int32_t CurrentY() const = 0;
    virtual void setCurrentY(int32_t y) = 0;

    virtual void setDrawStyle(int32_t style) = 0;
    virtual void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
    virtual void setFillStyle(int32_t style) = 0;
    // An RGB colour as &HBBGGRR.
    virtual void setFillColor(int32_t colour) = 0;
    // A rectangle filled as FillStyle and FillColor say; the system passes 0 for the two
    // further arguments.
    virtual void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t reserved1, int32_t reserved2) = 0;
    // A text box, top-aligned at `top`, placed horizontally by the report's TextAlignment. The
    // meaning of the three flags is the host's.
    virtual void PrintText(const QString& text, int32_t left, int32_t top, int32_t width, int32_t height, bool flag1,
                           bool flag2, bool flag3) = 0;
    // Tenths of a degree, counter-clockwise; 900 runs text upwards.
    virtual int32_t TextAngle() const = 0;
    virtual void setTextAngle(int32_t angle) = 0;
};

} // namespace Nelvar
