#pragma once
#include <cstdint>

#include "core/Geometry.h"

// Redaction by blurring, on 32-bit BGRA rows (core/Bgra.h). Like Pixelate it reads only the
// pixels inside its area, as they are at its turn, so the window composes a blurred area whole.
namespace Vorlune {

// A box of 2 * radius + 1 pixels, three passes each way: the radius is a quarter of the height
// of text up to 32 pixels high, and the passes spread each stroke nearly as a Gaussian would.
constexpr int kBlurRadius = 8;
constexpr int kBlurPasses = 3;
constexpr int kMaxBlurRadius = 100;

// The area is clamped to the image first. Each pass replaces every pixel, channel by channel,
// with the mean of the pixels of its row (then of its column) within radius that lie inside the
// area, rounded half up; alpha becomes 255. The radius is 1 to kMaxBlurRadius.
void Blur(std::uint8_t* bgra, int stride, Size image, Rect area, int radius = kBlurRadius, int passes = kBlurPasses);

}  // namespace Vorlune
