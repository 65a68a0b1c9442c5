#include "ToolbarHost.h"

#include <windowsx.h>

#include "app/AppContext.h"
#include "draw/Primitives.h"
#include "draw/ToolTip.h"
#include "widgets/ClientArea.h"
#include "widgets/TitleBar.h"

namespace Vorlune::Test {

namespace {
ToolbarHost* host = nullptr;
}

ToolbarHost& ToolbarHost::Get() {
    static ToolbarHost toolbar;
    return toolbar;
}

ToolbarHost::ToolbarHost() {
    host = this;
    App().instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = App().instance;
    wc.lpszClassName = L"GlimraTestToolbar";
    RegisterClassExW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"Glimra", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, kOrigin.x,
                           kOrigin.y, 230, 89, nullptr, nullptr, App().instance, nullptr);
    back_.Create({230, 89});
}

void ToolbarHost::Build() {
    boxes_.clear();
    boxes_.push_back(std::make_unique<Vorlune::TitleBar>(hwnd, back_.Get(), RECT{1, 1, 229, 26},
                                                         LoadIconW(nullptr, IDI_APPLICATION), L"Glimra"));
    boxes_.push_back(std::make_unique<ClientArea>(hwnd, back_.Get(), RECT{1, 26, 229, 88},
                                                  [this](const Button& button) { ran.push_back(button.Id()); }));
    ran.clear();
    closes = 0;
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

void ToolbarHost::Hide() {
    ShowWindow(hwnd, SW_HIDE);
    TheToolTip().Hide();
    boxes_.clear();
}

void ToolbarHost::Send(UINT message, int x, int y) const { SendMessageW(hwnd, message, 0, MAKELPARAM(x, y)); }

LRESULT CALLBACK ToolbarHost::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (host == nullptr || host->hwnd != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    auto each = [&](void (*step)(GroupBox&, POINT)) {
        for (const auto& box : host->boxes_) step(*box, point);
    };
    switch (message) {
    case WM_SETFOCUS: each([](GroupBox& box, POINT) { box.Activate(); }); break;
    case WM_KILLFOCUS: each([](GroupBox& box, POINT) { box.Deactivate(); }); break;
    case WM_MOUSEMOVE: each([](GroupBox& box, POINT p) { box.OnMouseMove(p); }); break;
    case WM_LBUTTONDOWN: each([](GroupBox& box, POINT p) { box.OnLButtonDown(p); }), SetCapture(hwnd); break;
    case WM_LBUTTONUP: each([](GroupBox& box, POINT p) { box.OnLButtonUp(p); }), ReleaseCapture(); break;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE: each([](GroupBox& box, POINT) { box.OnCaptureLost(); }); break;
    case WM_CLOSE: ++host->closes; return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        DrawFilledRectangle(host->back_.Get(), RECT{0, 0, 230, 89}, 0xD78318, 0xC0C0C0);
        for (const auto& box : host->boxes_) box->Draw();
        PAINTSTRUCT ps = {};
        HDC dc = BeginPaint(hwnd, &ps);
        BitBlt(dc, 0, 0, 230, 89, host->back_.Get(), 0, 0, SRCCOPY);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    return 0;
}

}  // namespace Vorlune::Test
