#include "core/BesideArea.h"

#include <algorithm>

namespace Vorlune {

namespace {

// start, moved to lie with length inside [low, high) where it can.
int Within(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

}  // namespace

std::optional<Rect> PlaceBeside(const Rect& area, Size size, const Rect& room, int gap) {
    const int top = Within(area.top, size.cy, room.top, room.bottom);
    const int left = Within(area.left, size.cx, room.left, room.right);
    const Rect candidates[] = {
        {area.right + gap, top, area.right + gap + size.cx, top + size.cy},
        {area.left - gap - size.cx, top, area.left - gap, top + size.cy},
        {left, area.bottom + gap, left + size.cx, area.bottom + gap + size.cy},
        {left, area.top - gap - size.cy, left + size.cx, area.top - gap},
    };
    for (const Rect& place : candidates)
        if (Intersect(place, room) == place && !HasArea(Intersect(place, area))) return place;
    return std::nullopt;
}

}  // namespace Vorlune
