#include "Capture/WindowCapture.h"

#include "Capture/WindowBounds.h"

namespace Vorlune {

void WindowCapture::Pick(POINT point) {
    hitWindow = windowList.HitTest(point);
    const HWND top = windowList.FindTopLevelOf(hitWindow);
    // No listed window there: the desktop window's own rectangle, in both variants.
    highlight = ClampToSnapshot(top != nullptr ? GetCaptureRect(top, hitWindow, windowList.Dwm())
                                               : windowList.SnapshotBounds(hitWindow));
}

}  // namespace Vorlune
