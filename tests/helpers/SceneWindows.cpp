// Shows the windows of Scene.h and serves them until it is ended.
#include <windows.h>

#include <vector>

#include "Scene.h"

using namespace Vorlune::Test::Scene;

namespace {

// The user data: the colour seed, and the flags from bit 8 on.
LRESULT CALLBACK SceneProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LONG_PTR data = GetWindowLongPtrW(hwnd, GWLP_USERDATA);
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE && (data >> 8) & Hider) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, data & 0xFF);
        ShowWindow(hwnd, SW_HIDE);
    }
    if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps = {};
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH brush = CreateSolidBrush(ClientColour(static_cast<int>(data & 0xFF)));
    FillRect(dc, &ps.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
}

HWND Make(const wchar_t* className, const wchar_t* title, DWORD exStyle, DWORD style, const RECT& r, HWND parent,
          LONG_PTR data) {
    HWND hwnd = CreateWindowExW(exStyle, className, title, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, data);
    return hwnd;
}

// For a while, or for good.
void Serve(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (milliseconds == INFINITE || GetTickCount() - start < milliseconds)
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0)
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    for (const wchar_t* name : {L"GlimraScene", L"Progman"}) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = SceneProcedure;
        wc.lpszClassName = name;
        RegisterClassExW(&wc);
    }
    std::vector<HWND> windows, children;
    for (const Window& w : kWindows) {
        const bool last = &w == std::end(kWindows) - 1;  // named at the end, to tell the scene is ready
        const DWORD style = WS_VISIBLE | WS_CLIPCHILDREN | (w.flags & Framed ? WS_OVERLAPPEDWINDOW : WS_POPUP);
        windows.push_back(Make(w.flags & Desktop ? L"Progman" : L"GlimraScene", last ? L"" : w.title,
                               w.flags & Topmost ? WS_EX_TOPMOST : 0, style, w.rect,
                               w.owner < 0 ? nullptr : windows[w.owner], static_cast<LONG_PTR>(windows.size() | w.flags << 8)));
        if (w.flags & Menu) {
            HMENU menu = CreateMenu();
            AppendMenuW(menu, MF_STRING, 1, L"File");
            SetMenu(windows.back(), menu);
        }
        if (w.flags & Minimised) ShowWindow(windows.back(), SW_MINIMIZE);
        if (w.flags & Disabled) EnableWindow(windows.back(), FALSE);
    }
    for (const Child& c : kChildren)
        children.push_back(Make(c.className, L"OK", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, c.rect,
                                c.parent < 0 ? children[-1 - c.parent] : windows[c.parent],
                                static_cast<LONG_PTR>(20 + children.size())));
    // Activation moves some while they are made: once it settled, stacked as listed.
    Serve(500);
    for (HWND hwnd : windows) SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(windows.back());
    SetWindowTextW(windows.back(), std::end(kWindows)[-1].title);
    Serve(INFINITE);
    return 0;
}
