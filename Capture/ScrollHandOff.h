#pragma once
#include <windows.h>

#include <functional>

#include "Capture/CaptureRequest.h"

namespace Vorlune {

// A window picked on an overlay to be captured by scrolling, and the area of the screen
// grabbed as it scrolls (screen coordinates).
struct ScrollPick {
    HWND target = nullptr;
    RECT area = {};
};

// Starts the scrolling capture of a pick with the request of the capture that picked it; that
// capture has ended, and onEnded ends the command. Throws when it cannot start.
using ScrollHandOff = std::function<void(const ScrollPick& pick, const CaptureRequest& request,
                                         std::function<void(CaptureResult)> onEnded)>;

}  // namespace Vorlune
