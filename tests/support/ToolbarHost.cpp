#include "ToolbarHost.h"

#include <windowsx.h>

#include "app/AppContext.h"
#include "draw/Primitives.h"
#include "draw/ToolTip.h"
#include "widgets/ClientArea.h"
#include "widgets/TitleBar.h"

namespace Vorlune::Test {

namespace {
ToolbarHost* host = nullptr;  // set before the window exists, for its first messages
}

ToolbarHost& ToolbarHost::Get() {
    static ToolbarHost toolbar;
    return toolbar;
}

ToolbarHost::ToolbarHost() {
    host = this;
    App().instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {sizeof wc, 0, Procedure, 0, 0, App().instance, nullptr, nullptr, nullptr, nullptr, L"GlimraTestToolbar", nullptr};
    RegisterClassExW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"Glimra", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, kOrigin.x, kOrigin.y,
                           230, 89, nullptr, nullptr, App().instance, nullptr);
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

LRESULT CALLBACK ToolbarHost::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (host == nullptr || host->hwnd != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
    const POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    for (const auto& box : host->boxes_) switch (message) {
        case WM_SETFOCUS: box->Activate(); break;
        case WM_KILLFOCUS: box->Deactivate(); break;
        case WM_MOUSEMOVE: box->OnMouseMove(p); break;
        case WM_LBUTTONDOWN: box->OnLButtonDown(p); break;
        case WM_LBUTTONUP: box->OnLButtonUp(p); break;
        case WM_CAPTURECHANGED: case WM_CANCELMODE: box->OnCaptureLost(); break;
        }
    switch (message) {
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_MOUSEMOVE: case WM_CAPTURECHANGED: case WM_CANCELMODE: break;
    case WM_LBUTTONDOWN: SetCapture(hwnd); break;
    case WM_LBUTTONUP: ReleaseCapture(); break;
    case WM_CLOSE: ++host->closes; return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        DrawFilledRectangle(host->back_.Get(), RECT{0, 0, 230, 89}, 0xD78318, 0xC0C0C0);
        for (const auto& box : host->boxes_) box->Draw();
        PAINTSTRUCT ps = {};
        BitBlt(BeginPaint(hwnd, &ps), 0, 0, 230, 89, host->back_.Get(), 0, 0, SRCCOPY);
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
