#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Bench.h"
#include "Capture/ImageFileNamer.h"
#include "GlimraApp.h"
#include "Wait.h"
#include "ui/GdiOwners.h"

// The real Glimra.exe clicked as a user would, timed off the screen from another process.
namespace Vorlune::Bench {

namespace {

using Test::GlimraApp;

// A small window of the bench's own that shows a new colour on every tick. Until an overlay
// paints the frozen screen over it, the screen shows the colour just drawn.
class Ticker {
public:
    Ticker() {
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 4, 4,
                                  nullptr, nullptr, nullptr, nullptr);
        dc_ = std::make_unique<ScreenDC>(window_);
    }
    ~Ticker() {
        dc_.reset();
        DestroyWindow(window_);
    }
    // True while the screen still follows the window.
    bool Tick() {
        ++count_;
        const COLORREF colour = RGB(count_ & 0xFF, (count_ >> 8) & 0xFF, 0x80);
        SetPixel(dc_->get(), 0, 0, colour);
        // Wine puts a window's drawing on the screen when its thread finds its queue empty.
        Test::PumpMessages();
        return GetPixel(screen_.get(), 0, 0) == colour;
    }

private:
    HWND window_;
    std::unique_ptr<ScreenDC> dc_;  // released before its window goes
    const ScreenDC screen_;
    unsigned count_ = 0;
};

// From act to the first tick the screen no longer shows, or a negative figure when it never stopped.
double ToFirstPaint(Ticker& ticker, const std::function<void()>& act) {
    // Only once the screen follows the ticker can a tick it misses tell a paint.
    Test::WaitUntil([&] { return ticker.Tick(); });
    act();
    const auto start = Clock::now();
    while (Clock::now() - start < std::chrono::seconds(5))
        if (!ticker.Tick()) return Milliseconds(Clock::now() - start);
    return -1;
}

std::string ScreenName() {
    return std::to_string(GetSystemMetrics(SM_CXVIRTUALSCREEN)) + "x" +
           std::to_string(GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

}  // namespace

// With 20,000 images in today's folder: naming the next one must not delay the freeze.
GLIMRA_BENCH(ToolbarClickToFirstPaint) {
    GlimraApp app;
    if (!app.Start(L"[Settings]\r\nClipBoard=2\r\n[Gui]\r\n13=1\r\n")) {  // no viewer to start
        Report("toolbar_click_start_failed", 1, "");
        return;
    }
    const std::wstring day = app.AppFolder() + DayFolderName(LocalDateNow()) + L"\\";
    CreateDirectoryW(day.c_str(), nullptr);
    for (int i = 1; i <= 20000; ++i) {
        const std::wstring name = day + ImageFileName(i);
        const KernelHandle made(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    }
    Ticker ticker;
    struct Mode {
        const char* name;
        int button;
        const wchar_t* toggle;
        const wchar_t* value;
        const wchar_t* overlay;
    };
    const Mode modes[] = {{"rectangle", 0, L"5", L"0", L"RectangleCapture"},
                          {"rectangle_zoom", 0, L"5", L"1", L"RectangleCaptureWithMagnifier"},
                          {"window_top", 1, L"6", L"0", L"WindowCaptureTop"},
                          {"window_all", 1, L"6", L"1", L"WindowCaptureAll"},
                          {"hidden_top", 2, L"7", L"0", L"HiddenWindowCaptureTop"},
                          {"hidden_all", 2, L"7", L"1", L"HiddenWindowCaptureAll"},
                          {"desktop", 3, L"8", L"0", L"DesktopCapture"}};
    for (const Mode& m : modes) {
        WritePrivateProfileStringW(L"Gui", m.toggle, m.value, app.IniPath().c_str());
        std::vector<double> times;
        for (int run = 0; run < 6; ++run) {
            const RECT toolbar = app.WindowRect();
            const POINT button = {toolbar.left + 25 + 45 * m.button, toolbar.top + 49};
            const double ms = ToFirstPaint(ticker, [&] { Test::RealClick(button); });
            HWND overlay = app.Proc().FindWindowOf(m.overlay);
            if (ms >= 0 && run > 0) times.push_back(ms);  // the first run makes the mode
            PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
            Test::WaitUntil([&] { return IsWindowVisible(app.Window()) && !IsWindowVisible(overlay); });
        }
        Report(std::string("click_to_first_paint_") + m.name + "_ms", Median(times), "ms");
    }
    app.Close();
}

// F5 typed with the toolbar minimised: nothing to wait for before the freeze.
GLIMRA_BENCH(HotKeyToFirstPaint) {
    GlimraApp app;
    if (!app.Start(L"[Settings]\r\nClipBoard=2\r\nHotKeyRectangle=116\r\n")) return;
    PostMessageW(app.Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Test::WaitUntil([&] { return IsIconic(app.Window()) != FALSE; });
    Ticker ticker;
    std::vector<double> times;
    for (int run = 0; run < 6; ++run) {
        const double ms = ToFirstPaint(ticker, [] { Test::PressKey(VK_F5); });
        if (ms >= 0 && run > 0) times.push_back(ms);  // the first run makes the mode
        HWND overlay = app.Proc().FindWindowOf(L"RectangleCapture");
        PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
        Test::WaitUntil([&] { return !IsWindowVisible(overlay); });
    }
    Report("hotkey_to_first_paint_ms", Median(times), "ms");
    app.Close();
}

// The toolbar's memory must not depend on the size of the screen.
GLIMRA_BENCH(ToolbarIdleMemory) {
    GlimraApp app;
    if (!app.Start()) return;
    Sleep(1000);
    Report("idle_private_" + ScreenName() + "_mb", PrivateMegabytes(app.Proc().Handle()), "MB");
    app.Close();
}

}  // namespace Vorlune::Bench
