#include "Capture/ScrollingCapture.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "Capture/ScrollableWindow.h"

namespace Vorlune {

ScrollingCapture::ScrollingCapture(HWND owner, ScrollAxis axis, ScrollHandOff scroll, const DwmQueries& dwm)
    : WindowPickCapture(owner, L"ScrollingCapture", WindowScope::TopLevel, KeyMouseToolTip, dwm),
      axis_(axis),
      scroll_(std::move(scroll)) {}

HWND ScrollingCapture::ScrollableAt(POINT point) const {
    const HWND hit = windowList.HitTest(point);
    if (windowList.FindTopLevelOf(hit) == nullptr) return nullptr;
    const POINT origin = windowList.Origin();
    return ScrollableWindowWithin(hit, {point.x + origin.x, point.y + origin.y}, axis_);
}

void ScrollingCapture::Pick(POINT point) {
    // A press that moves further than a click may is a drag.
    dragging = dragging || (pressed_ && (std::abs(point.x - pressedAt_.x) > GetSystemMetrics(SM_CXDRAG) ||
                                         std::abs(point.y - pressedAt_.y) > GetSystemMetrics(SM_CYDRAG)));
    if (dragging) {
        highlight = ClampToSnapshot({std::min(point.x, pressedAt_.x), std::min(point.y, pressedAt_.y),
                                     std::max(point.x, pressedAt_.x) + 1, std::max(point.y, pressedAt_.y) + 1});
        hitWindow = ScrollableAt({(highlight.left + highlight.right) / 2, (highlight.top + highlight.bottom) / 2});
        return;
    }
    hitWindow = ScrollableAt(point);
    const HWND top = windowList.FindTopLevelOf(GetAncestor(hitWindow, GA_ROOT));
    highlight = top != nullptr ? ClampToSnapshot(windowList.CaptureRect(top, hitWindow)) : RECT{};
}

void ScrollingCapture::OnLButtonDown(POINT point) {
    pressed_ = true;
    pressedAt_ = point;
}

void ScrollingCapture::OnLButtonUp(POINT point) {
    if (!pressed_) return;  // its press went to what came before the overlay
    Pick(point);
    if (hitWindow != nullptr) HandOffScroll(scroll_, {hitWindow, highlight});
}

bool ScrollingCapture::OnKeyDown(WPARAM key) {
    if (key != VK_RETURN) return NudgeCursor(key);
    Pick(lastPoint);
    if (hitWindow != nullptr) HandOffScroll(scroll_, {hitWindow, highlight});
    return true;
}

void ScrollingCapture::OnCaptureEnded() {
    pressed_ = false;
    WindowPickCapture::OnCaptureEnded();
}

}  // namespace Vorlune
