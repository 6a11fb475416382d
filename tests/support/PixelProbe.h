#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>

#include <cmath>

// Whether a pixel of `colour` lies at `point` or next to it (lines land on whole pixels).
inline bool colourNear(const QImage& image, QPointF point, QColor colour)
{
    const int x = static_cast<int>(std::lround(point.x()));
    const int y = static_cast<int>(std::lround(point.y()));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.valid(x + dx, y + dy) && image.pixelColor(x + dx, y + dy) == colour)
                return true;
    return false;
}
