#include "Capture/WindowGeometry.h"

#include <algorithm>

namespace Vorlune {

bool Contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

RECT ToSnapshot(const RECT& screen, POINT origin) {
    return {screen.left - origin.x, screen.top - origin.y, screen.right - origin.x, screen.bottom - origin.y};
}

RECT Intersect(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

RECT ClampToSize(const RECT& rect, SIZE size) { return Intersect(rect, {0, 0, size.cx, size.cy}); }

bool HasArea(const RECT& rect) { return rect.right > rect.left && rect.bottom > rect.top; }

bool IsNestedIn(const RECT& outer, const RECT& inner) {
    return Contains(outer, {inner.left, inner.top}) || Contains(outer, {inner.right, inner.bottom});
}

bool CornersOverlap(const RECT& a, const RECT& b) { return IsNestedIn(a, b) || IsNestedIn(b, a); }

}  // namespace Vorlune
