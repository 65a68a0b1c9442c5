#include "Capture/WindowCapture.h"

namespace Vorlune {

void WindowCapture::Pick(POINT point) {
    hitWindow = windowList.HitTest(point);
    const HWND top = windowList.FindTopLevelOf(hitWindow);
    // No listed window there: the desktop window's own rectangle, in both variants.
    highlight =
        ClampToSnapshot(top != nullptr ? windowList.CaptureRect(top, hitWindow) : windowList.SnapshotBounds(hitWindow));
}

}  // namespace Vorlune
