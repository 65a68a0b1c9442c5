#pragma once
#include <windows.h>

#include "Capture/ScrollHandOff.h"
#include "Capture/WindowPick.h"
#include "core/ScrollStitch.h"

namespace Vorlune {

// Picks what a scrolling capture scrolls: a click (or Enter) the outlined window under the
// cursor that scrolls the way of axis, a drag a rectangle of the screen, whose middle's such
// window is scrolled (for a page whose side bars should stay out). The pick goes to scroll.
class ScrollingCapture final : public WindowPickCapture {
public:
    ScrollingCapture(HWND owner, ScrollAxis axis, ScrollHandOff scroll, const DwmQueries& dwm = SystemDwm());

private:
    void Pick(POINT point) override;
    void OnLButtonDown(POINT point) override;
    void OnLButtonUp(POINT point) override;
    bool OnKeyDown(WPARAM key) override;
    void OnCaptureEnded() override;
    // The window that scrolls at a snapshot point; null where no listed window is.
    HWND ScrollableAt(POINT point) const;

    ScrollAxis axis_;
    ScrollHandOff scroll_;
    bool pressed_ = false;
    POINT pressedAt_ = {};
};

}  // namespace Vorlune
