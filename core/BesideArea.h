#pragma once
#include <optional>

#include "core/Geometry.h"

namespace Vorlune {

// Where a window of size goes beside area, gap away, wholly inside room and over no pixel of
// area: to its right, else its left, below, above; each at the area's top (or left) edge as
// far as room lets. None when no side has the room.
std::optional<Rect> PlaceBeside(const Rect& area, Size size, const Rect& room, int gap);

}  // namespace Vorlune
