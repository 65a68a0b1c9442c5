#pragma once
#include <windows.h>

#include "Bench.h"
#include "Capture/CaptureBase.h"

namespace Vorlune::Bench {

// When an overlay was first painted since painted was last cleared.
inline Clock::time_point g_firstPaint;
inline bool g_painted = false;

// The mode's overlay procedure, noting the first paint.
template <class Mode>
LRESULT CALLBACK TimedOverlayProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = OverlayWindowProcedure<Mode>(hwnd, message, wParam, lParam);
    if (message == WM_PAINT && !g_painted) {
        g_painted = true;
        g_firstPaint = Clock::now();
    }
    return result;
}

// Dispatches messages until the first paint, for ten seconds at the most.
inline void PumpUntilPainted() {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    MSG msg;
    while (!g_painted && Clock::now() < deadline) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (!g_painted) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

}  // namespace Vorlune::Bench
