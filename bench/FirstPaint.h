#pragma once
#include <windows.h>

#include "Bench.h"
#include "Capture/CaptureBase.h"

namespace Vorlune::Bench {

// When an overlay first painted since Arm.
class FirstPaint {
public:
    static void Arm() { painted_ = false; }
    static bool Painted() { return painted_; }
    static Clock::time_point At() { return at_; }
    static void Note(UINT message) {
        if (message != WM_PAINT || painted_) return;
        painted_ = true;
        at_ = Clock::now();
    }
    // Serves messages until the first paint, for at most ten seconds.
    static void PumpUntilPainted();

private:
    static inline bool painted_ = false;
    static inline Clock::time_point at_;
};

// The overlay procedure of Mode, noting the first paint.
template <class Mode>
LRESULT CALLBACK TimedOverlayProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = OverlayWindowProcedure<Mode>(hwnd, message, wParam, lParam);
    FirstPaint::Note(message);
    return result;
}

}  // namespace Vorlune::Bench
