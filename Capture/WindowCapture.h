#pragma once
#include <windows.h>

#include "Capture/ScrollHandOff.h"
#include "Capture/WindowPick.h"

namespace Vorlune {

// Picks one window on the frozen screen and outputs its area of it as it was, with
// whatever covered it then. With scroll given, S or Shift+click hands the window under the
// cursor that scrolls to a scrolling capture instead; while S or Shift is held, that one is
// outlined.
class WindowCapture : public WindowPickCapture {
protected:
    WindowCapture(HWND owner, std::wstring className, WindowScope scope, const DwmQueries& dwm, ScrollHandOff scroll)
        : WindowPickCapture(owner, std::move(className), scope, KeyMouseToolTip, dwm), scroll_(std::move(scroll)) {}

    void Pick(POINT point) override;
    void OnLButtonUp(POINT point) override;
    bool OnKeyDown(WPARAM key) override;
    void OnKeyUp(WPARAM key) override;
    void OnCaptureEnded() override;

private:
    bool PicksToScroll() const;

    ScrollHandOff scroll_;
    bool sHeld_ = false;  // S went down on the overlay and is not up yet
};

// Top-level windows only.
class WindowCaptureTop final : public WindowCapture {
public:
    explicit WindowCaptureTop(HWND owner, const DwmQueries& dwm = SystemDwm(), ScrollHandOff scroll = {})
        : WindowCapture(owner, L"WindowCaptureTop", WindowScope::TopLevel, dwm, std::move(scroll)) {}
};

// Child windows too, each cut to the frame of its top-level window.
class WindowCaptureAll final : public WindowCapture {
public:
    explicit WindowCaptureAll(HWND owner, const DwmQueries& dwm = SystemDwm(), ScrollHandOff scroll = {})
        : WindowCapture(owner, L"WindowCaptureAll", WindowScope::All, dwm, std::move(scroll)) {}
};

}  // namespace Vorlune
