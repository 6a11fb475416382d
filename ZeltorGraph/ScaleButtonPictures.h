#pragma once

#include <QPixmap>

namespace ZeltorGraph {

// The direction a scale strip works in: the X strip's scroll buttons point left and right, the
// Y strip's up and down.
enum class ScaleDirection { X, Y };

// The picture of scale button `index` (0 zoom in, 1 and 3 scroll, 2 auto-scaling, 4 zoom out), in
// the set shown while auto-scaling is on or in the one shown while it is off: in the manual set
// the auto-scaling button is dimmed and the other buttons stand out, as they are what scales the
// axis then. `size` is the side of the square picture in pixels.
QPixmap scaleButtonPicture(ScaleDirection direction, int index, bool autoScale, int size);

} // namespace ZeltorGraph
