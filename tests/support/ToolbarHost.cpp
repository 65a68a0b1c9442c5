#include "ToolbarHost.h"

#include "app/AppContext.h"
#include "app/MainWindow.h"

namespace Vorlune::Test {

namespace {
LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CLOSE) return ServeWindowMessage(MainWindowMap(), hwnd, message, wParam, lParam);
    ++ToolbarHost::Get().closes;
    return 0;
}
}  // namespace

ToolbarHost& ToolbarHost::Get() {
    static ToolbarHost toolbar;
    return toolbar;
}

ToolbarHost::ToolbarHost() {
    App().instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {sizeof wc, 0, Procedure, 0, 0, App().instance, nullptr, nullptr, nullptr, nullptr, L"GlimraTestToolbar", nullptr};
    RegisterClassExW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"Glimra", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, kOrigin.x, kOrigin.y,
                           MainWindow::kWidth, MainWindow::kHeight, nullptr, nullptr, App().instance, nullptr);
    TheMainWindow().Attach(hwnd, kOrigin.x, kOrigin.y);
    TheMainWindow().BuildSurface();
    TheMainWindow().RegisterHandlers(MainWindowMap());
}

void ToolbarHost::Build() {
    TheMainWindow().BuildContainers(LoadIconW(nullptr, IDI_APPLICATION), L"Glimra",
                                    [this](const Button& button) { ran.push_back(button.Id()); });
    ran.clear();
    closes = 0;
    SetWindowPos(hwnd, nullptr, kOrigin.x, kOrigin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

COLORREF ToolbarHost::Pixel(int x, int y) const {
    HDC dc = GetDC(hwnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return colour;
}

}  // namespace Vorlune::Test
