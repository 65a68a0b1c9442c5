// Shows the windows of Scene.h and serves them until it is ended.
#include <windows.h>

#include <vector>

#include "Scene.h"

using namespace Vorlune::Test::Scene;

namespace {

LRESULT CALLBACK SceneProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LONG_PTR data = GetWindowLongPtrW(hwnd, GWLP_USERDATA);
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE && (data >> 8) & Hider) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, data & ~(LONG_PTR{Hider} << 8));  // once only
        ShowWindow(hwnd, SW_HIDE);
    }
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
    RECT client = {};
    GetClientRect(hwnd, &client);
    const int width = client.right, height = client.bottom;
    std::vector<DWORD> bits(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = ClientColour(static_cast<int>(data & 0xFF), x, y);
            bits[static_cast<size_t>(y) * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    PAINTSTRUCT ps = {};
    HDC dc = BeginPaint(hwnd, &ps);
    SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, bits.data(), &info, DIB_RGB_COLORS);
    EndPaint(hwnd, &ps);
    return 0;
}

HWND Make(const wchar_t* className, const wchar_t* title, DWORD exStyle, DWORD style, const RECT& r, HWND parent,
          HMENU menu, LONG_PTR data) {
    HWND hwnd = CreateWindowExW(exStyle, className, title, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                parent, menu, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, data);
    return hwnd;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    for (const wchar_t* name : {L"GlimraScene", L"Progman"}) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = SceneProcedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        RegisterClassExW(&wc);
    }
    std::vector<HWND> windows, children;
    for (const Window& w : kWindows) {
        HMENU menu = nullptr;
        if (w.flags & Menu) {
            menu = CreateMenu();
            AppendMenuW(menu, MF_STRING, 1, L"File");
            AppendMenuW(menu, MF_STRING, 2, L"Edit");
        }
        const DWORD style = WS_VISIBLE | WS_CLIPCHILDREN | (w.flags & Framed ? WS_OVERLAPPEDWINDOW : WS_POPUP);
        const LONG_PTR data = static_cast<LONG_PTR>(windows.size()) | static_cast<LONG_PTR>(w.flags) << 8;
        const wchar_t* title = &w == std::end(kWindows) - 1 ? L"" : w.title;
        HWND hwnd = Make(w.flags & Desktop ? L"Progman" : L"GlimraScene", title, w.flags & Topmost ? WS_EX_TOPMOST : 0,
                         style, w.rect, w.owner < 0 ? nullptr : windows[w.owner], menu, data);
        if (w.flags & Minimised) ShowWindow(hwnd, SW_MINIMIZE);
        if (w.flags & Disabled) EnableWindow(hwnd, FALSE);
        windows.push_back(hwnd);
    }
    for (const Child& c : kChildren) {
        HWND parent = c.parent < 0 ? children[-1 - c.parent] : windows[c.parent];
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        children.push_back(Make(c.button ? L"BUTTON" : L"GlimraScene", c.button ? L"OK" : L"", 0, style, c.rect,
                                parent, nullptr, 20 + static_cast<LONG_PTR>(children.size())));
    }
    MSG msg;
    for (const DWORD end = GetTickCount() + 500; GetTickCount() < end;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    // Activation moved some while they were made: stacked as listed, the hider active, and
    // only then named, to tell the scene is ready.
    for (HWND hwnd : windows) SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(windows.back());
    SetWindowTextW(windows.back(), std::end(kWindows)[-1].title);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
