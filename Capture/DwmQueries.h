#pragma once
#include <windows.h>

namespace Vorlune {

// What the window modes ask the desktop window manager. Without composition every query
// fails, and a failed query reads as "not rendered", an all-zero rectangle, "not cloaked".
class DwmQueries {
public:
    virtual ~DwmQueries() = default;
    // DWMWA_NCRENDERING_ENABLED.
    virtual bool NonClientRendering(HWND window) const = 0;
    // DWMWA_EXTENDED_FRAME_BOUNDS: the visible frame, without invisible resize borders.
    virtual RECT ExtendedFrameBounds(HWND window) const = 0;
    // DWMWA_CLOAKED: shown but kept off the screen, as on another virtual desktop.
    virtual bool Cloaked(HWND window) const = 0;
    // Waits until what was drawn on the screen is composed, so it can be read back.
    virtual void Flush() const = 0;
};

// DwmGetWindowAttribute and DwmFlush.
const DwmQueries& SystemDwm();

}  // namespace Vorlune
