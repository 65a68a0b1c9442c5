#pragma once
#include <cstdint>
#include <vector>

#include "core/Geometry.h"

// The spotlight: everything outside its holes darkened once, however many holes there are, on
// 32-bit BGRA rows (core/Bgra.h).
namespace Vorlune {

// What is left of each channel outside the holes, in percent.
constexpr int kSpotlightKeeps = 40;

// Within area, every pixel that lies in no hole keeps kSpotlightKeeps percent of each channel,
// rounded half up; the holes are left as they are.
void DimOutside(std::uint8_t* bgra, int stride, Size image, Rect area, const std::vector<Rect>& holes);

}  // namespace Vorlune
