#pragma once
#include <windows.h>

#include <vector>

namespace Vorlune {

// How much wider and taller area must grow for the largest of needed to fit in it: nothing
// where every one fits already.
SIZE RoomToGrow(const RECT& area, const std::vector<SIZE>& needed);

}  // namespace Vorlune
