#include "Colors.h"

#include <array>
#include <utility>

namespace widgets {

namespace {

constexpr uint32_t kSystemColorFlag = 0x80000000;

// System colour indices and the palette roles that stand for them here.
constexpr std::array<std::pair<uint32_t, QPalette::ColorRole>, 15> kSystemColors{{
    {1, QPalette::Window},           // desktop
    {2, QPalette::Highlight},        // active title bar
    {3, QPalette::Mid},              // inactive title bar
    {4, QPalette::Window},           // menu
    {5, QPalette::Base},             // window background
    {7, QPalette::WindowText},       // menu text
    {8, QPalette::Text},             // window text
    {9, QPalette::HighlightedText},  // active title bar text
    {12, QPalette::Dark},            // application workspace
    {13, QPalette::Highlight},       // selected item
    {14, QPalette::HighlightedText}, // selected item text
    {15, QPalette::Button},          // button face
    {17, QPalette::PlaceholderText}, // grey (disabled) text
    {18, QPalette::ButtonText},      // button text
    {19, QPalette::Light},           // inactive title bar text
}};

} // namespace

QColor colorOf(uint32_t value, const QPalette& palette)
{
    if ((value & kSystemColorFlag) == 0)
        return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                      static_cast<int>((value >> 16) & 0xFF));
    const uint32_t index = value & 0xFF;
    for (const auto& [systemIndex, role] : kSystemColors)
        if (systemIndex == index)
            return palette.color(role);
    return palette.color(QPalette::WindowText);
}

namespace {

void setRoleColor(QWidget& widget, QPalette::ColorRole role, uint32_t value)
{
    QPalette palette = widget.palette();
    const QColor color = colorOf(value, QPalette());
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, color);
    widget.setPalette(palette);
}

} // namespace

void setBackgroundColor(QWidget& widget, uint32_t value)
{
    setRoleColor(widget, QPalette::Base, value);
}

void setBackColor(QWidget& widget, uint32_t value)
{
    setRoleColor(widget, QPalette::Window, value);
    widget.setAutoFillBackground(true);
}

void setForeColor(QWidget& widget, uint32_t value)
{
    setRoleColor(widget, QPalette::WindowText, value);
}

} // namespace widgets
