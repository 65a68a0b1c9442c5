#include "Capture/HiddenWindowCapture.h"

#include "ui/Geometry.h"

namespace Vorlune {

void HiddenWindowCapture::Prepare() {
    WindowPickCapture::Prepare();
    windowList.CaptureImages(snapshot->bounds);
}

void HiddenWindowCapture::OnCaptureEnded() {
    locked = false;
    selectedTop = nullptr;
    picture_ = nullptr;
    WindowPickCapture::OnCaptureEnded();
}

void HiddenWindowCapture::OnRButtonUp(POINT) {
    locked = !locked;
    dragging = locked;  // so that Escape lets go before it ends the capture
}

bool HiddenWindowCapture::OnKeyDown(WPARAM key) {
    if (key != VK_ESCAPE) return WindowPickCapture::OnKeyDown(key);
    locked = false;
    return DropHold();
}

void HiddenWindowCapture::Pick(POINT point) {
    if (CollectsAll()) {
        if (locked) {
            hitWindow = windowList.HitTestWithin(selectedTop, point);
        } else {
            hitWindow = windowList.HitTest(point);
            selectedTop = windowList.FindTopLevelOf(hitWindow);
        }
    } else if (!locked) {
        const HWND found = windowList.FirstExceptDesktop(point);
        const HWND popup = found != nullptr ? windowList.FindOwnedPopup(found) : nullptr;
        hitWindow = popup != nullptr ? popup : found != nullptr ? found : GetDesktopWindow();
        selectedTop = hitWindow;
    }
    picture_ = windowList.FindImage(selectedTop);
    if (picture_ != nullptr && hitWindow == selectedTop)
        highlight = ClampToSnapshot(ToSnapshot(picture_->Bounds(), windowList.Origin()));
    else if (windowList.FindTopLevelOf(selectedTop) != nullptr)
        // Also a window left unpictured (hung, minimised): picked as the frozen screen shows it.
        highlight = ClampToSnapshot(windowList.CaptureRect(selectedTop, hitWindow));
    else
        highlight = {0, 0, snapshot->size.cx, snapshot->size.cy};
}

}  // namespace Vorlune
