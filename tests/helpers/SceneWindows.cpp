// Shows the windows of Scene.h and serves them until it is ended.
#include <windows.h>

#include <vector>

#include "Scene.h"
#include "ui/GdiOwners.h"

using namespace Vorlune::Test::Scene;

namespace {

// Paints slowly, as a real program may. Data: the index, and 0x10000 once the hider hid.
LRESULT CALLBACK SceneProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LONG_PTR data = GetWindowLongPtrW(hwnd, GWLP_USERDATA);
    if (message == WM_ACTIVATE) InvalidateRect(hwnd, nullptr, FALSE);
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE && data == kHider) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, data | 0x10000);
        ShowWindow(hwnd, SW_HIDE);
    }
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps = {};
    HDC dc = BeginPaint(hwnd, &ps);
    Sleep(20);
    const auto index = static_cast<size_t>(data & 0xFFFF);
    const Vorlune::OwnedBrush brush(
        CreateSolidBrush(GetActiveWindow() == hwnd ? ActiveColour(index) : ClientColour(index)));
    FillRect(dc, &ps.rcPaint, brush.get());
    EndPaint(hwnd, &ps);
    return 0;
}

void Serve(DWORD milliseconds) {  // INFINITE: for good
    const DWORD start = GetTickCount();
    MSG msg;
    while (milliseconds == INFINITE || GetTickCount() - start < milliseconds)
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0)
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::vector<HWND> windows;
    for (const Window& w : kWindows) {
        const std::wstring type = ClassOf(windows.size());
        const WNDCLASSEXW wc = {sizeof wc, 0,       SceneProcedure, 0,      0, nullptr, nullptr, nullptr,
                                nullptr,   nullptr, type.c_str(),   nullptr};
        RegisterClassExW(&wc);
        const DWORD style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                            (w.flags & Child    ? WS_CHILD
                             : w.flags & Framed ? WS_OVERLAPPEDWINDOW
                                                : WS_POPUP);
        const RECT& r = w.rect;
        HWND hwnd =
            CreateWindowExW(w.flags & Topmost ? WS_EX_TOPMOST : 0, type.c_str(),
                            windows.size() == kHider ? L"" : w.title, style, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, w.owner < 0 ? nullptr : windows[w.owner], nullptr, nullptr, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(windows.size()));
        if (HMENU menu = w.flags & Menu ? CreateMenu() : nullptr; menu && AppendMenuW(menu, MF_STRING, 1, L"File"))
            SetMenu(hwnd, menu);
        if (w.flags & Minimised) ShowWindow(hwnd, SW_MINIMIZE);
        if (w.flags & Disabled) EnableWindow(hwnd, FALSE);
        windows.push_back(hwnd);
    }
    // Stacked as listed once activation settled, the hider active, then named to tell it is ready.
    Serve(500);
    for (size_t i = 0; i < windows.size(); ++i)
        if (!(kWindows[i].flags & Child))
            SetWindowPos(windows[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(windows[kHider]);
    Serve(100);
    SetWindowTextW(windows[kHider], kWindows[kHider].title);
    Serve(INFINITE);
    return 0;
}
