#pragma once
#include <windows.h>

#include "Capture/WindowPick.h"

namespace Vorlune {

// Picks one window on the frozen screen and outputs its area of it as it was, with
// whatever covered it then.
class WindowCapture : public WindowPickCapture {
protected:
    WindowCapture(HWND owner, std::wstring className, WindowScope scope, const DwmQueries& dwm)
        : WindowPickCapture(owner, std::move(className), scope, KeyMouseToolTip, dwm) {}

    void Pick(POINT point) override;
};

// Top-level windows only.
class WindowCaptureTop final : public WindowCapture {
public:
    explicit WindowCaptureTop(HWND owner, const DwmQueries& dwm = SystemDwm())
        : WindowCapture(owner, L"WindowCaptureTop", WindowScope::TopLevel, dwm) {}
};

// Child windows too, each cut to the frame of its top-level window.
class WindowCaptureAll final : public WindowCapture {
public:
    explicit WindowCaptureAll(HWND owner, const DwmQueries& dwm = SystemDwm())
        : WindowCapture(owner, L"WindowCaptureAll", WindowScope::All, dwm) {}
};

}  // namespace Vorlune
