#pragma once
#include <windows.h>

#include <vector>

// Rectangle arithmetic on plain values: no window or device is asked anything here.
// Rectangles are as Win32 has them: left and top inside, right and bottom outside.
namespace Vorlune {

bool Contains(const RECT& rect, POINT point);
bool HasArea(const RECT& rect);
POINT TopLeft(const RECT& rect);
SIZE SizeOf(const RECT& rect);
// Edge by edge, the inner of the two; may come out empty or inverted.
RECT Intersect(const RECT& a, const RECT& b);
// Cut to (0, 0, size).
RECT ClampToSize(const RECT& rect, SIZE size);
// A screen rectangle in snapshot coordinates, where origin is the virtual screen's corner.
RECT ToSnapshot(const RECT& screen, POINT origin);
// The top-left or the bottom-right corner of inner lies in outer.
bool IsNestedIn(const RECT& outer, const RECT& inner);
// Either rectangle holds the top-left or the bottom-right corner of the other.
bool CornersOverlap(const RECT& a, const RECT& b);

// The area between two corners, both inside it: a click picks 1 x 1.
RECT AreaBetween(POINT anchor, POINT point);

// Clips rect to (0, 0, size) and appends it when anything is left.
void AddClipped(std::vector<RECT>& rects, const RECT& rect, SIZE size);
// The four lines DrawFrame draws through the corners of frame (right and bottom inside),
// each clipped so.
void AddFrameLines(std::vector<RECT>& rects, const RECT& frame, SIZE size);

// A stored position outside the virtual screen (or on/after its right or bottom edge)
// is replaced coordinate by coordinate with the middle of the virtual screen.
POINT ClampToVirtualScreen(POINT position, const RECT& virtualScreen);

}  // namespace Vorlune
