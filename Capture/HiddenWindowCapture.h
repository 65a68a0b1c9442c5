#pragma once
#include <windows.h>

#include "Capture/WindowPick.h"

namespace Vorlune {

// Picks one window and outputs it complete, as if nothing covered it: when the capture
// starts, every listed window is raised in turn and pictured, behind the still hidden
// overlay, and the stacking is put back. A right click holds the pick (in the All variant:
// the top-level window, whose children can still be picked); Escape lets go first.
class HiddenWindowCapture : public WindowPickCapture {
protected:
    HiddenWindowCapture(HWND owner, std::wstring className, WindowScope scope, const DwmQueries& dwm)
        : WindowPickCapture(owner, std::move(className), scope, KeyMouseToolTipHidden, dwm) {}

    void Prepare() override;
    void OnRButtonUp(POINT point) override;
    bool OnKeyDown(WPARAM key) override;
    void Pick(POINT point) override;
    const WindowImage* Picture() const override { return picture_; }
    void OnCaptureEnded() override;

    bool locked = false;
    // The top-level window whose picture is shown.
    HWND selectedTop = nullptr;

private:
    const WindowImage* picture_ = nullptr;
};

// Top-level windows only; a window disabled by its modal popup hands the pick to the popup.
class HiddenWindowCaptureTop final : public HiddenWindowCapture {
public:
    explicit HiddenWindowCaptureTop(HWND owner, const DwmQueries& dwm = SystemDwm())
        : HiddenWindowCapture(owner, L"HiddenWindowCaptureTop", WindowScope::TopLevel, dwm) {}
};

// Child windows too, within the picture of their top-level window.
class HiddenWindowCaptureAll final : public HiddenWindowCapture {
public:
    explicit HiddenWindowCaptureAll(HWND owner, const DwmQueries& dwm = SystemDwm())
        : HiddenWindowCapture(owner, L"HiddenWindowCaptureAll", WindowScope::All, dwm) {}
};

}  // namespace Vorlune
