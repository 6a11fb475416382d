#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <cstdint>

// Colours of the forms and controls are 32-bit values written &HBBGGRR (blue in the high byte);
// values with the top bit set name a system colour by its index in the low byte.
namespace widgets {

inline constexpr uint32_t kColorRed = 0x0000FF;
inline constexpr uint32_t kSystemWindow = 0x80000005;
inline constexpr uint32_t kSystemWindowText = 0x80000008;
inline constexpr uint32_t kSystemButtonFace = 0x8000000F;
inline constexpr uint32_t kSystemActiveTitle = 0x80000002;
inline constexpr uint32_t kSystemInactiveTitle = 0x80000003;
inline constexpr uint32_t kSystemActiveTitleText = 0x80000009;
inline constexpr uint32_t kSystemInactiveTitleText = 0x80000013;
inline constexpr uint32_t kSystemApplicationWorkspace = 0x8000000C;

// The colour of a value: a system colour is taken from `palette`.
QColor colorOf(uint32_t value, const QPalette& palette = QPalette());

// Gives the widget the background colour of the value (its base role), enabled or not.
void setBackgroundColor(QWidget& widget, uint32_t value);
// Gives a control or label the back colour of the value (its window role, filled).
void setBackColor(QWidget& widget, uint32_t value);
// Gives a label or caption the text colour of the value (its window text role).
void setForeColor(QWidget& widget, uint32_t value);

} // namespace widgets
