#include <windows.h>

#include <vector>

#include "Bench.h"
#include "Capture/CaptureBase.h"
#include "FirstPaint.h"

namespace Vorlune::Bench {

namespace {

// Freezes the screen and shows the overlay, as the capture modes do.
class BenchCapture : public CaptureBase {
public:
    explicit BenchCapture(HWND owner) : CaptureBase(owner, L"BenchCapture") {}
    void Cancel() { SendMessageW(overlay.get(), WM_KEYDOWN, VK_ESCAPE, 0); }

protected:
    void Prepare() override { TakeSnapshot(); }
    void Start() override { ShowOverlay(); }
};

}  // namespace

GLIMRA_BENCH(CaptureOverlay) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    BenchCapture mode(owner);
    mode.CreateOverlay(TimedOverlayProcedure<BenchCapture>, OverlayMessageMap<BenchCapture>());

    std::vector<double> toPaint, snapshotOnly;
    double before = 0, during = 0, after = 0;
    for (int i = 0; i < 12; ++i) {
        before = PrivateMegabytes();
        FirstPaint::Arm();
        const auto start = Clock::now();
        mode.Act([] {});
        FirstPaint::PumpUntilPainted();
        if (FirstPaint::Painted() && i > 0) toPaint.push_back(Milliseconds(FirstPaint::At() - start));
        during = PrivateMegabytes();
        mode.Cancel();
        after = PrivateMegabytes();
    }
    // A capture started while one is up replaces the snapshot: one set of bitmaps at a time.
    FirstPaint::Arm();
    mode.Act([] {});
    FirstPaint::PumpUntilPainted();
    FirstPaint::Arm();
    mode.Act([] {});
    InvalidateRect(FirstPaint::Window(), nullptr, FALSE);
    FirstPaint::PumpUntilPainted();
    const double again = PrivateMegabytes();
    mode.Cancel();
    for (int i = 0; i < 5; ++i) {
        const auto start = Clock::now();
        ScreenSnapshot snapshot;
        snapshotOnly.push_back(Milliseconds(Clock::now() - start));
    }
    Report("capture_act_to_first_paint_median", Median(toPaint), "ms");
    Report("capture_act_to_first_paint_p90", Percentile(toPaint, 0.9), "ms");
    Report("capture_snapshot_only_median", Median(snapshotOnly), "ms");
    Report("capture_private_before", before, "MB");
    Report("capture_private_during", during, "MB");
    Report("capture_private_after", after, "MB");
    Report("capture_private_second_act", again, "MB");
    DestroyWindow(owner);
}

}  // namespace Vorlune::Bench
