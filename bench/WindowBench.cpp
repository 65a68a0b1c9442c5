#include <windows.h>

#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Bench.h"
#include "Capture/HiddenWindowCapture.h"
#include "Capture/WindowCapture.h"
#include "Capture/WindowList.h"
#include "PickState.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"
#include "ui/GdiOwners.h"

namespace Vorlune::Bench {

namespace {

// count framed windows with two child windows each, cascaded over the screen, made and
// served by a thread of their own as another program's windows are.
class ForeignWindows {
public:
    explicit ForeignWindows(int count) {
        const KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        thread_ = std::thread([this, count, &ready] {
            threadId_ = GetCurrentThreadId();
            const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
            for (int i = 0; i < count; ++i) {
                const int x = (i * 37) % (width - 400), y = (i * 23) % (height - 300);
                HWND top = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 400, 300,
                                           nullptr, nullptr, nullptr, nullptr);
                for (int c = 0; c < 2; ++c)
                    CreateWindowExW(0, L"STATIC", L"child", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, 20 + c * 150, 20,
                                    120, 100, top, nullptr, nullptr, nullptr);
            }
            SetEvent(ready.get());
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        });
        WaitForSingleObject(ready.get(), INFINITE);
        Sleep(200);  // let them paint
    }
    ~ForeignWindows() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }

private:
    std::thread thread_;
    DWORD threadId_ = 0;
};

void EveryMark() {
    CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
    Store().SetToggle(TextCursorToggle, 1);
    Store().SetInt(SectionSettings, KeyMouseToolTip, 1);
    Store().SetInt(SectionSettings, KeyMouseToolTipHidden, 1);
}

HWND MakeOwner() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

// Moves round and round over the screen, each a sent move followed by UpdateWindow: the
// move handled and painted.
std::vector<double> TimeMoves(int windows, int moves) {
    ForeignWindows scene(windows);
    HWND owner = MakeOwner();
    std::vector<double> times;
    {
        auto mode = MakeCaptureMode<WindowCaptureAll>(owner);
        mode->Act([] {});
        HWND overlay = Test::PickState::Overlay(*mode);
        UpdateWindow(overlay);
        const SIZE size = Test::PickState::Snapshot(*mode).size;
        const double cx = size.cx / 2.0, cy = size.cy / 2.0;
        for (int i = 0; i < moves; ++i) {
            const double angle = 2 * 3.14159265358979 * i / 125.0;
            const int x = static_cast<int>(cx + (cx - 1) * std::sin(angle * 1.01));
            const int y = static_cast<int>(cy + (cy - 1) * std::cos(angle * 0.73));
            const auto start = Clock::now();
            SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
            UpdateWindow(overlay);
            times.push_back(Milliseconds(Clock::now() - start));
        }
        SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    DestroyWindow(owner);
    return times;
}

}  // namespace

GLIMRA_BENCH(WindowOverlayMove) {
    EveryMark();
    for (int windows : {10, 200}) {
        const std::vector<double> times = TimeMoves(windows, 400);
        const std::string stem = "window_move_" + std::to_string(windows) + "_windows";
        Report(stem + "_median_ms", Median(times), "ms");
        Report(stem + "_p95_ms", Percentile(times, 0.95), "ms");
    }
}

// The picturing alone, as a hidden capture starts with it; then the whole start, snapshot
// and overlay included, and the memory the pictures hold until the capture ends.
GLIMRA_BENCH(HiddenWindowPrepare) {
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (int windows : {10, 50}) {
        ForeignWindows scene(windows);
        WindowList list(SystemDwm());
        list.CollectTopLevel();
        std::vector<double> times;
        double pictures = 0;
        for (int run = 0; run < 3; ++run) {
            const double idle = PrivateMegabytes();
            const auto start = Clock::now();
            list.CaptureImages(screen);
            times.push_back(Milliseconds(Clock::now() - start));
            pictures = PrivateMegabytes() - idle;
            list.ReleaseImages();
        }
        const std::string count = std::to_string(windows) + "_windows";
        Report("hidden_prepare_" + count + "_ms", Median(times), "ms");
        if (windows != 50) continue;
        Report("hidden_pictures_" + count + "_mb", pictures, "MB");
        EveryMark();
        HWND owner = MakeOwner();
        auto mode = MakeCaptureMode<HiddenWindowCaptureTop>(owner);
        double before = 0;
        // The first capture also sets up what every later one reuses (the overlay's surface, fonts).
        for (int run = 0; run < 2; ++run) {
            before = PrivateMegabytes();
            const auto start = Clock::now();
            mode->Act([] {});
            if (run == 1) Report("hidden_act_" + count + "_ms", Milliseconds(Clock::now() - start), "ms");
            SendMessageW(Test::PickState::Overlay(*mode), WM_KEYDOWN, VK_ESCAPE, 0);
        }
        Report("hidden_private_before_mb", before, "MB");
        Report("hidden_private_after_mb", PrivateMegabytes(), "MB");
        mode.reset();
        DestroyWindow(owner);
    }
}

}  // namespace Vorlune::Bench
