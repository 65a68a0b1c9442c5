#pragma once
#include <vector>

#include "core/Geometry.h"

namespace Vorlune {

// How much wider and taller area must grow for the largest of needed to fit in it: nothing
// where every one fits already.
Size RoomToGrow(const Rect& area, const std::vector<Size>& needed);

}  // namespace Vorlune
