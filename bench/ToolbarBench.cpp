// The toolbar on a window of its size: a repaint per mouse move, and the CPU that hovering
// costs (the tooltip worker must sleep in its waits).
#include <windows.h>

#include "Bench.h"
#include "MonitorDpiGuard.h"
#include "ToolbarHost.h"
#include "core/Dpi.h"
#include "core/ToolbarLayout.h"

namespace Vorlune::Bench {

namespace {

using Test::ToolbarHost;

double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

void Pump(Clock::duration duration) {
    const auto until = Clock::now() + duration;
    MSG msg;
    for (auto now = Clock::now(); now < until; now = Clock::now()) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - now).count();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

// Inside command button 0, two points apart so every move is a move.
ToolbarHost& Hovering() {
    ToolbarHost& host = ToolbarHost::Get();
    host.Build();
    host.Send(WM_SETFOCUS);
    host.Send(WM_MOUSEMOVE, 20, 50);
    return host;
}

// Moves to and fro by one pixel at (x, y), each handled and painted.
std::vector<double> RepaintTimes(const ToolbarHost& host, int x, int y) {
    std::vector<double> us;
    for (int i = 0; i < 1000; ++i) {
        const auto start = Clock::now();
        host.Send(WM_MOUSEMOVE, x + i % 2, y);
        us.push_back(Milliseconds(Clock::now() - start) * 1000);
    }
    return us;
}

// As Windows tells the toolbar of a new scale: its own size at its place.
void Rescale(const ToolbarHost& host, int dpi) {
    const Size size = LayOutToolbar(dpi).window;
    RECT suggested = {ToolbarHost::kOrigin.x, ToolbarHost::kOrigin.y, ToolbarHost::kOrigin.x + size.cx,
                      ToolbarHost::kOrigin.y + size.cy};
    SendMessageW(host.hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

}  // namespace

GLIMRA_BENCH(ToolbarRepaint) {
    ToolbarHost& host = Hovering();
    const std::vector<double> us = RepaintTimes(host, 20, 50);
    Report("toolbar_repaint_median_us", Median(us), "us");
    Report("toolbar_repaint_p95_us", Percentile(us, 0.95), "us");
}

// The same hover at 200 %: four times the pixels of every repaint.
GLIMRA_BENCH(ToolbarRepaintAt192Dpi) {
    ToolbarHost& host = Hovering();
    {
        const Test::MonitorDpiGuard dpis([](HMONITOR) { return 192; });
        Rescale(host, 192);
        const std::vector<double> us = RepaintTimes(host, Scaled(20, 192), Scaled(50, 192));
        Report("toolbar_repaint_192dpi_us", Median(us), "us");
    }
    Rescale(host, kBaseDpi);
}

GLIMRA_BENCH(ToolbarHover) {
    ToolbarHost& host = Hovering();
    const double before = ProcessCpuMs();
    for (int i = 0; i < 100; ++i) {
        host.Send(WM_MOUSEMOVE, 20 + i % 2, 50);
        Pump(std::chrono::milliseconds(100));
    }
    Report("toolbar_hover_cpu_ms", ProcessCpuMs() - before, "ms");
}

}  // namespace Vorlune::Bench
