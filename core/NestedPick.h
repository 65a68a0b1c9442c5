#pragma once
#include <cstddef>

#include "core/Geometry.h"

// The order of picking windows, on rectangles alone: no window is asked anything here.
namespace Vorlune {

constexpr int kNoPick = -1;

// The first of count windows, top of the Z-order first, whose bounds contain point.
template <class BoundsOf>
int FirstContaining(std::size_t count, const BoundsOf& boundsOf, Point point) {
    for (std::size_t i = 0; i < count; ++i)
        if (Contains(boundsOf(i), point)) return static_cast<int>(i);
    return kNoPick;
}

// From a top-level window down its children (in enumeration order, parents before their
// own children): each child whose bounds contain point and that is nested in the pick so
// far becomes the pick. kNoPick when the top-level window itself stays picked.
template <class BoundsOf, class RectOf>
int NestedPick(const Rect& topRect, std::size_t count, const BoundsOf& boundsOf, const RectOf& rectOf, Point point) {
    int picked = kNoPick;
    Rect candidate = topRect;
    for (std::size_t i = 0; i < count; ++i) {
        if (!Contains(boundsOf(i), point)) continue;
        const Rect rect = rectOf(i);
        if (!IsNestedIn(candidate, rect)) continue;
        picked = static_cast<int>(i);
        candidate = rect;
    }
    return picked;
}

}  // namespace Vorlune
