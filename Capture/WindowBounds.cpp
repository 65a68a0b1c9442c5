#include "Capture/WindowBounds.h"

#include "ui/Geometry.h"

namespace Vorlune {

RECT GetWindowBounds(HWND window, const DwmQueries& dwm) {
    if (dwm.NonClientRendering(window)) return dwm.ExtendedFrameBounds(window);
    return WindowRect(window);
}

RECT WindowRect(HWND window) {
    RECT rect = {};
    if (!GetWindowRect(window, &rect)) rect = {};
    return rect;
}

RECT GetCaptureRect(HWND topLevel, HWND target, const DwmQueries& dwm, POINT origin) {
    const RECT rect = ToSnapshot(GetWindowBounds(target, dwm), origin);
    if (topLevel == target) return rect;
    return Intersect(rect, ToSnapshot(GetWindowBounds(topLevel, dwm), origin));
}

}  // namespace Vorlune
