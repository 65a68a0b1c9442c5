#pragma once
#include <windows.h>

#include "Capture/DwmQueries.h"

namespace Vorlune {

// The frame as the user sees it, screen coordinates: the DWM frame bounds where DWM draws
// the non-client area, else GetWindowRect. All zero for a window that is gone.
RECT GetWindowBounds(HWND window, const DwmQueries& dwm);
// GetWindowRect, all zero when it fails.
RECT WindowRect(HWND window);
// The bounds of target in snapshot coordinates (origin: the virtual screen's corner), cut to
// those of its top-level window.
RECT GetCaptureRect(HWND topLevel, HWND target, const DwmQueries& dwm, POINT origin);

}  // namespace Vorlune
