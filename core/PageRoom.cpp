#include "core/PageRoom.h"

#include <algorithm>

namespace Vorlune {

Size RoomToGrow(const Rect& area, const std::vector<Size>& needed) {
    Size grow = {};
    for (const Size& size : needed) {
        grow.cx = std::max(grow.cx, size.cx - (area.right - area.left));
        grow.cy = std::max(grow.cy, size.cy - (area.bottom - area.top));
    }
    return grow;
}

}  // namespace Vorlune
