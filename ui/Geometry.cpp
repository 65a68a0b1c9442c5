#include "ui/Geometry.h"

#include <algorithm>

namespace Vorlune {

bool Contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

bool HasArea(const RECT& rect) { return rect.right > rect.left && rect.bottom > rect.top; }

POINT TopLeft(const RECT& rect) { return {rect.left, rect.top}; }

SIZE SizeOf(const RECT& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

RECT Intersect(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

RECT ClampToSize(const RECT& rect, SIZE size) { return Intersect(rect, {0, 0, size.cx, size.cy}); }

RECT ToSnapshot(const RECT& screen, POINT origin) {
    return {screen.left - origin.x, screen.top - origin.y, screen.right - origin.x, screen.bottom - origin.y};
}

bool IsNestedIn(const RECT& outer, const RECT& inner) {
    return Contains(outer, {inner.left, inner.top}) || Contains(outer, {inner.right, inner.bottom});
}

bool CornersOverlap(const RECT& a, const RECT& b) { return IsNestedIn(a, b) || IsNestedIn(b, a); }

RECT AreaBetween(POINT anchor, POINT point) {
    return {std::min(anchor.x, point.x), std::min(anchor.y, point.y), std::max(anchor.x, point.x) + 1,
            std::max(anchor.y, point.y) + 1};
}

void AddClipped(std::vector<RECT>& rects, const RECT& rect, SIZE size) {
    const RECT clipped = ClampToSize(rect, size);
    if (HasArea(clipped)) rects.push_back(clipped);
}

void AddFrameLines(std::vector<RECT>& rects, const RECT& s, SIZE size) {
    AddClipped(rects, {s.left, s.top, s.right + 1, s.top + 1}, size);
    AddClipped(rects, {s.left, s.bottom, s.right + 1, s.bottom + 1}, size);
    AddClipped(rects, {s.left, s.top + 1, s.left + 1, s.bottom}, size);
    AddClipped(rects, {s.right, s.top + 1, s.right + 1, s.bottom}, size);
}

namespace {
LONG ClampCoordinate(LONG value, LONG low, LONG high) {
    if (value < low || value >= high) return low + (high - low) / 2;
    return value;
}
}  // namespace

POINT ClampToVirtualScreen(POINT position, const RECT& virtualScreen) {
    return {ClampCoordinate(position.x, virtualScreen.left, virtualScreen.right),
            ClampCoordinate(position.y, virtualScreen.top, virtualScreen.bottom)};
}

}  // namespace Vorlune
