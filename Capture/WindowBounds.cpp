#include "Capture/WindowBounds.h"

#include "Capture/WindowGeometry.h"

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

POINT VirtualScreenOrigin() { return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)}; }

RECT ToSnapshot(const RECT& screen) { return ToSnapshot(screen, VirtualScreenOrigin()); }

RECT GetCaptureRect(HWND topLevel, HWND target, const DwmQueries& dwm) {
    const RECT rect = ToSnapshot(GetWindowBounds(target, dwm));
    if (topLevel == target) return rect;
    return Intersect(rect, ToSnapshot(GetWindowBounds(topLevel, dwm)));
}

bool IsNestedIn(HWND outer, HWND inner) { return IsNestedIn(WindowRect(outer), WindowRect(inner)); }

}  // namespace Vorlune
