#pragma once
#include <windows.h>

#include "Capture/CaptureRequest.h"

namespace Vorlune {

// A rectangle of the screen, in screen coordinates, captured at once without an overlay: the
// cursor drawn in when asked, then output as any capture. Throws AnExceptionImpl when the
// area cannot be copied or encoded.
CaptureResult CaptureScreenArea(const RECT& area, HWND owner, const CaptureRequest& request);

}  // namespace Vorlune
