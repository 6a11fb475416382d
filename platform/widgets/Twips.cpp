#include "Twips.h"

#include "format/Format.h"

namespace widgets {

int twipsToPixels(int twips)
{
    return format::toInt32(static_cast<double>(twips) / kTwipsPerPixel);
}

int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace widgets
