#include "Capture/ScrollableWindow.h"

namespace Vorlune {

namespace {

bool ScrollsByBar(HWND window, ScrollAxis axis) {
    const bool down = axis == ScrollAxis::Down;
    if ((GetWindowLongW(window, GWL_STYLE) & (down ? WS_VSCROLL : WS_HSCROLL)) == 0) return false;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    // Wine answers it for windows of this process only: elsewhere the bar's style has to tell.
    if (!GetScrollInfo(window, down ? SB_VERT : SB_HORZ, &info)) return true;
    return info.nMax - info.nMin + 1 > static_cast<int>(info.nPage);
}

}  // namespace

HWND ScrollableFrom(HWND deepest, ScrollAxis axis) {
    for (HWND window = deepest; window != nullptr; window = GetAncestor(window, GA_PARENT)) {
        if (ScrollsByBar(window, axis)) return window;
        if (GetAncestor(window, GA_ROOT) == window) break;
    }
    return deepest;
}

HWND ScrollableWindowAt(POINT point, ScrollAxis axis) { return ScrollableFrom(WindowFromPoint(point), axis); }

HWND ScrollableWindowWithin(HWND window, POINT point, ScrollAxis axis) {
    HWND deepest = window;
    for (;;) {
        POINT inside = point;
        ScreenToClient(deepest, &inside);
        HWND child = ChildWindowFromPointEx(deepest, inside, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (child == nullptr || child == deepest) break;
        deepest = child;
    }
    return ScrollableFrom(deepest, axis);
}

}  // namespace Vorlune
