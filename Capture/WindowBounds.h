#pragma once
#include <windows.h>

#include "Capture/DwmQueries.h"

namespace Vorlune {

// The frame as the user sees it, screen coordinates: the DWM frame bounds where DWM draws
// the non-client area, else GetWindowRect. All zero for a window that is gone.
RECT GetWindowBounds(HWND window, const DwmQueries& dwm);
// GetWindowRect, all zero when it fails.
RECT WindowRect(HWND window);
// The virtual screen's top-left corner, read afresh.
POINT VirtualScreenOrigin();
// A screen rectangle in snapshot coordinates.
RECT ToSnapshot(const RECT& screen);
// The bounds of target in snapshot coordinates, cut to those of its top-level window.
RECT GetCaptureRect(HWND topLevel, HWND target, const DwmQueries& dwm);
// On the plain window rectangles.
bool IsNestedIn(HWND outer, HWND inner);

}  // namespace Vorlune
