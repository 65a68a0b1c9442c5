#pragma once
#include <cstdint>
#include <vector>

// Rectangle arithmetic on plain values: no window or device is asked anything here.
// Rectangles are as Win32 has them: left and top inside, right and bottom outside.
namespace Vorlune {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const Rect&) const = default;
};

bool Contains(const Rect& rect, Point point);
bool HasArea(const Rect& rect);
Point TopLeft(const Rect& rect);
Size SizeOf(const Rect& rect);
// Edge by edge, the inner of the two; may come out empty or inverted.
Rect Intersect(const Rect& a, const Rect& b);
// The smallest rectangle holding both; one without area counts for nothing.
Rect Union(const Rect& a, const Rect& b);
// Every edge moved out by a number of pixels.
Rect Grown(const Rect& rect, int by);
// Cut to (0, 0, size).
Rect ClampToSize(const Rect& rect, Size size);
// A screen rectangle in snapshot coordinates, where origin is the virtual screen's corner.
Rect ToSnapshot(const Rect& screen, Point origin);
// The top-left or the bottom-right corner of inner lies in outer.
bool IsNestedIn(const Rect& outer, const Rect& inner);
// Either rectangle holds the top-left or the bottom-right corner of the other.
bool CornersOverlap(const Rect& a, const Rect& b);

// The area between two corners, both inside it: a click picks 1 x 1.
Rect AreaBetween(Point anchor, Point point);
// A square of side pixels on centre; an even side has the extra pixel below and right of it,
// as a wide line has.
Rect SquareAround(Point centre, int side);

// Clips rect to (0, 0, size) and appends it when anything is left.
void AddClipped(std::vector<Rect>& rects, const Rect& rect, Size size);
// The four bands DrawFrame draws inward from the corners of frame (right and bottom inside),
// width pixels thick, each clipped so.
void AddFrameLines(std::vector<Rect>& rects, const Rect& frame, Size size, int width = 1);

// A stored position outside the virtual screen (or on/after its right or bottom edge)
// is replaced coordinate by coordinate with the middle of the virtual screen.
Point ClampToVirtualScreen(Point position, const Rect& virtualScreen);

}  // namespace Vorlune
