#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "Bench.h"
#include "FirstPaint.h"
#include "MonitorDpiGuard.h"
#include "Capture/RectangleCapture.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"

namespace Vorlune::Bench {

namespace {

void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// The settings a user who wants every mark has: cursor circle, cross-hair while dragging.
void EveryMark() {
    CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
    Store().SetToggle(TextCursorToggle, 1);
    Store().SetInt(SectionSettings, KeyAlwaysAuxiliaryLine, 1);
    Store().SetString(KeyZoomWindowMagnification, L"10");
}

// A drag with the zoom window over the whole screen, round and round, through every
// edge, as a sent move followed by UpdateWindow: the move handled and painted.
std::vector<double> TimeMoves(int moves) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    std::vector<double> times;
    {
        auto mode = MakeCaptureMode<RectangleCaptureWithMagnifier>(owner);
        mode->Act([] {});
        HWND overlay = FindWindowW(L"RectangleCaptureWithMagnifier", nullptr);
        UpdateWindow(overlay);
        const SIZE size = {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
        const double cx = size.cx / 2.0, cy = size.cy / 2.0;
        SendMessageW(overlay, WM_LBUTTONDOWN, 0, MAKELPARAM(static_cast<int>(cx), static_cast<int>(cy)));
        UpdateWindow(overlay);
        for (int i = 0; i < moves; ++i) {
            const double angle = 2 * 3.14159265358979 * i / 125.0;
            const int x = static_cast<int>(cx + (cx - 1) * std::sin(angle * 1.01));
            const int y = static_cast<int>(cy + (cy - 1) * std::cos(angle * 0.73));
            PumpPending();
            const auto start = Clock::now();
            SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
            UpdateWindow(overlay);
            times.push_back(Milliseconds(Clock::now() - start));
        }
        SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
        SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
        PumpPending();
    }
    DestroyWindow(owner);
    return times;
}

template <class Mode>
double ActToFirstPaint() {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    std::vector<double> times;
    {
        Mode mode(owner);
        mode.CreateOverlay(&TimedOverlayProcedure<Mode>, OverlayMessageMap<Mode>());
        times = ActToFirstPaintTimes(mode, 12);
    }
    DestroyWindow(owner);
    return Median(times);
}

}  // namespace

// Run once per display size; tools/bench runs it again on a wide display.
GLIMRA_BENCH(RectangleOverlayMove) {
    EveryMark();
    const std::string screen = std::to_string(GetSystemMetrics(SM_CXVIRTUALSCREEN)) + "x" +
                               std::to_string(GetSystemMetrics(SM_CYVIRTUALSCREEN));
    const std::vector<double> times = TimeMoves(500);
    const std::string stem = "overlay_move_" + screen;
    Report(stem + "_median_ms", Median(times), "ms");
    Report(stem + "_p95_ms", Percentile(times, 0.95), "ms");
    // At 200 % the marks are twice as wide and the zoom window has four times the pixels.
    const Test::MonitorDpiGuard dpis([](HMONITOR) { return 192; });
    Report(stem + "_192dpi_median_ms", Median(TimeMoves(500)), "ms");
}

GLIMRA_BENCH(RectangleActToFirstPaint) {
    EveryMark();
    Report("act_to_first_paint_RectangleCapture_ms", ActToFirstPaint<RectangleCapture>(), "ms");
    Report("act_to_first_paint_RectangleCaptureWithMagnifier_ms", ActToFirstPaint<RectangleCaptureWithMagnifier>(),
           "ms");
}

}  // namespace Vorlune::Bench
