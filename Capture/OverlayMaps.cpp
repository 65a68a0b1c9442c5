#include "Capture/OverlayMaps.h"

#include "Capture/CountdownWindow.h"
#include "Capture/DesktopCapture.h"
#include "Capture/HiddenWindowCapture.h"
#include "Capture/RectangleCapture.h"
#include "Capture/WindowCapture.h"

namespace Vorlune {

void TouchOverlayMessageMaps() {
    OverlayMessageMap<RectangleCapture>();
    OverlayMessageMap<RectangleCaptureWithMagnifier>();
    OverlayMessageMap<WindowCaptureTop>();
    OverlayMessageMap<WindowCaptureAll>();
    OverlayMessageMap<HiddenWindowCaptureTop>();
    OverlayMessageMap<HiddenWindowCaptureAll>();
    OverlayMessageMap<DesktopCapture>();
    OverlayMessageMap<DelayedDesktopCapture>();
    CountdownMessageMap();
}

}  // namespace Vorlune
