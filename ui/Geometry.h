#pragma once
#include <windows.h>

#include <vector>

#include "core/Geometry.h"

// The Windows edge of the core's rectangle arithmetic: Win32's points, sizes and rectangles
// in and out.
namespace Vorlune {

inline Point ToCore(POINT point) { return {point.x, point.y}; }
inline Size ToCore(SIZE size) { return {size.cx, size.cy}; }
inline Rect ToCore(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
inline POINT ToWin(Point point) { return {point.x, point.y}; }
inline SIZE ToWin(Size size) { return {size.cx, size.cy}; }
inline RECT ToWin(const Rect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

inline bool Contains(const RECT& rect, POINT point) { return Contains(ToCore(rect), ToCore(point)); }
inline bool HasArea(const RECT& rect) { return HasArea(ToCore(rect)); }
inline POINT TopLeft(const RECT& rect) { return ToWin(TopLeft(ToCore(rect))); }
inline SIZE SizeOf(const RECT& rect) { return ToWin(SizeOf(ToCore(rect))); }
inline RECT Intersect(const RECT& a, const RECT& b) { return ToWin(Intersect(ToCore(a), ToCore(b))); }
inline RECT ClampToSize(const RECT& rect, SIZE size) { return ToWin(ClampToSize(ToCore(rect), ToCore(size))); }
inline RECT ToSnapshot(const RECT& screen, POINT origin) { return ToWin(ToSnapshot(ToCore(screen), ToCore(origin))); }
inline bool IsNestedIn(const RECT& outer, const RECT& inner) { return IsNestedIn(ToCore(outer), ToCore(inner)); }
inline bool CornersOverlap(const RECT& a, const RECT& b) { return CornersOverlap(ToCore(a), ToCore(b)); }
inline RECT AreaBetween(POINT anchor, POINT point) { return ToWin(AreaBetween(ToCore(anchor), ToCore(point))); }
inline POINT ClampToVirtualScreen(POINT position, const RECT& virtualScreen) {
    return ToWin(ClampToVirtualScreen(ToCore(position), ToCore(virtualScreen)));
}

void AddClipped(std::vector<RECT>& rects, const RECT& rect, SIZE size);
void AddFrameLines(std::vector<RECT>& rects, const RECT& frame, SIZE size, int width = 1);

}  // namespace Vorlune
