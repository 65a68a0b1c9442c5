#pragma once
#include "core/Geometry.h"

namespace Vorlune {

// Every length of the program's look is given at 96 DPI, the scale of 100 %.
constexpr int kBaseDpi = 96;

// A length at 96 DPI at another DPI, rounded as MulDiv rounds: half away from zero.
int Scaled(int length, int dpi);
Size Scaled(Size size, int dpi);
// Edge by edge, so that rectangles that touch at 96 DPI touch at every scale.
Rect Scaled(const Rect& rect, int dpi);
// A line of one pixel at 96 DPI: never thinner than one pixel.
int LineWidth(int dpi);
// The scale in percent whose pictures are drawn for dpi: 100, 150 or 200, the nearest, and
// the larger where two are as near, since shrinking keeps a picture sharper than enlarging.
int PictureScale(int dpi);
// A DPI outside what any display reports (none, or absurd) is taken as 96.
int SaneDpi(int dpi);

}  // namespace Vorlune
