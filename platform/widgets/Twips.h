#pragma once

#include <QRect>

// Layout constants of the forms and controls are twips: 1440 per inch, 15 per pixel at 96 dpi.
namespace widgets {

inline constexpr int kTwipsPerPixel = 15;

// Whole pixels of a length in twips, halves to even.
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);
// A rectangle given as Left, Top, Width and Height in twips.
QRect twipsRect(int left, int top, int width, int height);

} // namespace widgets
