#include "settings_dialog/PageRoom.h"

#include <algorithm>

namespace Vorlune {

SIZE RoomToGrow(const RECT& area, const std::vector<SIZE>& needed) {
    SIZE grow = {};
    for (const SIZE& size : needed) {
        grow.cx = std::max(grow.cx, size.cx - (area.right - area.left));
        grow.cy = std::max(grow.cy, size.cy - (area.bottom - area.top));
    }
    return grow;
}

}  // namespace Vorlune
