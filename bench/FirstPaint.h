#pragma once
#include <windows.h>

#include <vector>

#include "Bench.h"
#include "Capture/CaptureBase.h"

namespace Vorlune::Bench {

// When an overlay first painted since Arm.
class FirstPaint {
public:
    static void Arm() { painted_ = false; }
    static bool Painted() { return painted_; }
    static Clock::time_point At() { return at_; }
    static void Note(HWND hwnd, UINT message) {
        window_ = hwnd;
        if (message != WM_PAINT || painted_) return;
        painted_ = true;
        at_ = Clock::now();
    }
    // Serves messages until the first paint, for at most ten seconds.
    static void PumpUntilPainted();
    // The overlay that was served last.
    static HWND Window() { return window_; }

private:
    static inline bool painted_ = false;
    static inline HWND window_ = nullptr;
    static inline Clock::time_point at_;
};

// The overlay procedure of Mode, noting the first paint.
template <class Mode>
LRESULT CALLBACK TimedOverlayProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = OverlayWindowProcedure<Mode>(hwnd, message, wParam, lParam);
    FirstPaint::Note(hwnd, message);
    return result;
}

// Act to the first paint of the overlay, over runs captures each ended with Escape; the
// first run only warms up and is left out. The overlay must serve TimedOverlayProcedure.
template <class Mode>
std::vector<double> ActToFirstPaintTimes(Mode& mode, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        FirstPaint::Arm();
        const auto start = Clock::now();
        mode.Act([] {});
        FirstPaint::PumpUntilPainted();
        if (FirstPaint::Painted() && i > 0) times.push_back(Milliseconds(FirstPaint::At() - start));
        SendMessageW(FirstPaint::Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    }
    return times;
}

}  // namespace Vorlune::Bench
