#pragma once
#include <windows.h>

#include <vector>

namespace Vorlune {

// The rectangles a region is made of, disjoint; empty for an empty region or a failed call.
std::vector<RECT> RegionRects(HRGN region);

// The area that rects cover together, as disjoint rectangles: each pixel of it once.
std::vector<RECT> Union(const std::vector<RECT>& rects);

}  // namespace Vorlune
