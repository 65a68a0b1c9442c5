#include "core/Geometry.h"

#include <algorithm>

namespace Vorlune {

bool Contains(const Rect& rect, Point point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

bool HasArea(const Rect& rect) { return rect.right > rect.left && rect.bottom > rect.top; }

Point TopLeft(const Rect& rect) { return {rect.left, rect.top}; }

Size SizeOf(const Rect& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

Rect Intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

Rect Union(const Rect& a, const Rect& b) {
    if (!HasArea(a)) return b;
    if (!HasArea(b)) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Rect Grown(const Rect& rect, int by) { return {rect.left - by, rect.top - by, rect.right + by, rect.bottom + by}; }

Rect ClampToSize(const Rect& rect, Size size) { return Intersect(rect, {0, 0, size.cx, size.cy}); }

Rect ToSnapshot(const Rect& screen, Point origin) {
    return {screen.left - origin.x, screen.top - origin.y, screen.right - origin.x, screen.bottom - origin.y};
}

bool IsNestedIn(const Rect& outer, const Rect& inner) {
    return Contains(outer, {inner.left, inner.top}) || Contains(outer, {inner.right, inner.bottom});
}

bool CornersOverlap(const Rect& a, const Rect& b) { return IsNestedIn(a, b) || IsNestedIn(b, a); }

Rect AreaBetween(Point anchor, Point point) {
    return {std::min(anchor.x, point.x), std::min(anchor.y, point.y), std::max(anchor.x, point.x) + 1,
            std::max(anchor.y, point.y) + 1};
}

Rect SquareAround(Point centre, int side) {
    const Point corner = {centre.x - (side - 1) / 2, centre.y - (side - 1) / 2};
    return {corner.x, corner.y, corner.x + side, corner.y + side};
}

void AddClipped(std::vector<Rect>& rects, const Rect& rect, Size size) {
    const Rect clipped = ClampToSize(rect, size);
    if (HasArea(clipped)) rects.push_back(clipped);
}

void AddFrameLines(std::vector<Rect>& rects, const Rect& s, Size size, int width) {
    // A frame too small for its width fills itself: the bands stop at its middle.
    const std::int32_t top = std::min(s.top + width, s.bottom + 1);
    const std::int32_t bottom = std::max(s.bottom + 1 - width, top);
    const std::int32_t left = std::min(s.left + width, s.right + 1);
    const std::int32_t right = std::max(s.right + 1 - width, left);
    AddClipped(rects, {s.left, s.top, s.right + 1, top}, size);
    AddClipped(rects, {s.left, bottom, s.right + 1, s.bottom + 1}, size);
    AddClipped(rects, {s.left, top, left, bottom}, size);
    AddClipped(rects, {right, top, s.right + 1, bottom}, size);
}

namespace {
std::int32_t ClampCoordinate(std::int32_t value, std::int32_t low, std::int32_t high) {
    if (value < low || value >= high) return low + (high - low) / 2;
    return value;
}
}  // namespace

Point ClampToVirtualScreen(Point position, const Rect& virtualScreen) {
    return {ClampCoordinate(position.x, virtualScreen.left, virtualScreen.right),
            ClampCoordinate(position.y, virtualScreen.top, virtualScreen.bottom)};
}

}  // namespace Vorlune
