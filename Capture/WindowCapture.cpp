#include "Capture/WindowCapture.h"

#include "Capture/ScrollableWindow.h"

namespace Vorlune {

namespace {
constexpr WPARAM kScrollKey = 'S';
}  // namespace

void WindowCapture::Pick(POINT point) {
    hitWindow = windowList.HitTest(point);
    const HWND top = windowList.FindTopLevelOf(hitWindow);
    if (top != nullptr && PicksToScroll()) {
        const POINT origin = windowList.Origin();
        hitWindow = ScrollableWindowWithin(hitWindow, {point.x + origin.x, point.y + origin.y}, ScrollAxis::Down);
    }
    // No listed window there: the desktop window's own rectangle, in both variants.
    highlight =
        ClampToSnapshot(top != nullptr ? windowList.CaptureRect(top, hitWindow) : windowList.SnapshotBounds(hitWindow));
}

void WindowCapture::OnLButtonUp(POINT point) {
    if (!PicksToScroll()) return WindowPickCapture::OnLButtonUp(point);
    Pick(lastPoint);
    HandOffScroll(scroll_, {hitWindow, highlight});
}

bool WindowCapture::OnKeyDown(WPARAM key) {
    if (!scroll_ || (key != VK_SHIFT && key != kScrollKey)) return WindowPickCapture::OnKeyDown(key);
    if (key == kScrollKey) sHeld_ = true;
    OnMouseMove(lastPoint);  // the outline goes to the window that would scroll
    return true;
}

void WindowCapture::OnKeyUp(WPARAM key) {
    if (key == VK_SHIFT) return OnMouseMove(lastPoint);
    if (key != kScrollKey || !sHeld_) return;
    Pick(lastPoint);
    sHeld_ = false;
    HandOffScroll(scroll_, {hitWindow, highlight});
}

void WindowCapture::OnCaptureEnded() {
    sHeld_ = false;
    WindowPickCapture::OnCaptureEnded();
}

bool WindowCapture::PicksToScroll() const { return scroll_ && (sHeld_ || GetKeyState(VK_SHIFT) < 0); }

}  // namespace Vorlune
