#pragma once

#include "PlugIn.h"

#include <QSize>

#include <array>
#include <cstdint>

// The plug-in's icon bitmaps: which exist, their resource names and their pixel formats. The
// library looks its icons up here, and the build draws one bitmap per entry.
namespace ZeltorPlugin {

struct IconBitmap {
    int32_t testId; // 0 for the plug-in itself
    Nelvar::EIconSize size;
    const char* name;
    // 256 palette colours; the others are 24-bit colour.
    bool palette;
};

inline constexpr std::array<IconBitmap, 12> kIconBitmaps{{
    {0, Nelvar::eisSize16x16, "Zeltor(16X16X256)", true},
    {0, Nelvar::eisSize32x32, "Zeltor(32X32X16M)", false},
    {100, Nelvar::eisSize16x16, "TE:VT(16X16X256)", false},
    {100, Nelvar::eisSize32x16, "TE:VT(32X16X256)", false},
    {200, Nelvar::eisSize16x16, "TE:LT(16X16X256)", false},
    {200, Nelvar::eisSize32x16, "TE:LT(32X16X256)", false},
    {300, Nelvar::eisSize16x16, "TE:FT(16X16X256)", false},
    {300, Nelvar::eisSize32x16, "TE:FT(32X16X256)", false},
    {400, Nelvar::eisSize16x16, "TE:PT(16X16X256)", false},
    {400, Nelvar::eisSize32x16, "TE:PT(32X16X256)", false},
    {500, Nelvar::eisSize16x16, "TE:HP(16X16X256)", false},
    {500, Nelvar::eisSize32x16, "TE:HP(32X16X256)", false},
}};

// The resource folder of the bitmaps; a bitmap's path is this followed by its name.
inline constexpr const char* kIconResourceFolder = ":/ZeltorPlugin/";

inline QSize iconPixelSize(Nelvar::EIconSize size)
{
    switch (size) {
    case Nelvar::eisSize16x16: return {16, 16};
    case Nelvar::eisSize32x16: return {32, 16};
    case Nelvar::eisSize32x32: return {32, 32};
    }
    return {};
}

} // namespace ZeltorPlugin
