#include "Capture/OverlayMaps.h"

#include "Capture/CountdownWindow.h"
#include "Capture/DesktopCapture.h"
#include "Capture/RectangleCapture.h"

namespace Vorlune {

void TouchOverlayMessageMaps() {
    OverlayMessageMap<RectangleCapture>();
    OverlayMessageMap<RectangleCaptureWithMagnifier>();
    OverlayMessageMap<DesktopCapture>();
    OverlayMessageMap<DelayedDesktopCapture>();
    CountdownMessageMap();
}

}  // namespace Vorlune
