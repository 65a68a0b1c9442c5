#pragma once
#include <windows.h>

#include <vector>

#include "app/AppContext.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "ui/Dpi.h"
#include "ui/GdiOwners.h"

namespace Vorlune::Test {

// A window of the toolbar's size at (300, 300) served by the real toolbar's handlers, where a
// close is only counted. One for the whole run: the tooltip window keeps its first owner.
class ToolbarHost {
public:
    static constexpr POINT kOrigin = {300, 300};
    static ToolbarHost& Get() {
        static ToolbarHost toolbar;
        return toolbar;
    }
    // Fresh containers, shown at kOrigin; command buttons record their ids in ran.
    void Build() {
        TheMainWindow().BuildContainers(LoadIconW(nullptr, IDI_APPLICATION), L"Glimra",
                                        [this](const Button& button, POINT) { ran.push_back(button.Id()); });
        ran.clear();
        closes = 0;
        SetWindowPos(hwnd, nullptr, kOrigin.x, kOrigin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    }
    // The message with the point in LPARAM; every one but WM_PAINT repaints synchronously.
    void Send(UINT message, int x = 0, int y = 0) const { SendMessageW(hwnd, message, 0, MAKELPARAM(x, y)); }
    COLORREF Pixel(int x, int y) const { return GetPixel(ScreenDC(hwnd).get(), x, y); }

    HWND hwnd = nullptr;
    int closes = 0;  // WM_CLOSE received; the window stays
    std::vector<int> ran;

private:
    ToolbarHost() {
        App().instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc = {
            sizeof wc, 0, Procedure, 0, 0, App().instance, nullptr, nullptr, nullptr, nullptr, L"GlimraTestToolbar",
            nullptr};
        RegisterClassExW(&wc);
        const int dpi = DpiAt(kOrigin);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"Glimra", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, kOrigin.x,
                               kOrigin.y, MainWindow::SizeAt(dpi).cx, MainWindow::SizeAt(dpi).cy, nullptr, nullptr,
                               App().instance, nullptr);
        TheMainWindow().Attach(hwnd, kOrigin.x, kOrigin.y);
        TheMainWindow().BuildSurface(dpi);
        RegisterToolbarHandlers(MainWindowMap(), TheMainWindow());
    }
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_CLOSE) return ServeWindowMessage(MainWindowMap(), hwnd, message, wParam, lParam);
        ++Get().closes;
        return 0;
    }
};

}  // namespace Vorlune::Test
