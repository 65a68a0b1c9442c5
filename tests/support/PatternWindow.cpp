#include "PatternWindow.h"

#include <algorithm>

#include "CaptureProbe.h"
#include "Wait.h"
#include "draw/GdiObjectCache.h"

namespace Vorlune::Test {

SIZE TextExtent(const std::wstring& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GdiCache().GetFont(0).get());
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    DeleteDC(dc);
    return extent;
}

COLORREF ScreenPattern(int x, int y) {
    const int red = (x * 3) & 0xFF;
    const int green = (y * 5) & 0xFF;
    const int blue = 0x40 + ((x + 2 * y) & 0x3F);
    return RGB(red, green, blue);
}

namespace {

BITMAPINFO TopDown32(SIZE size) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

LRESULT CALLBACK PatternProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    const SIZE size = {rect.right - rect.left, rect.bottom - rect.top};
    std::vector<std::uint32_t> bits(static_cast<size_t>(size.cx) * size.cy);
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            bits[static_cast<size_t>(y) * size.cx + x] = Rgb(ScreenPattern(rect.left + x, rect.top + y));
    const BITMAPINFO info = TopDown32(size);
    PAINTSTRUCT ps = {};
    HDC dc = BeginPaint(hwnd, &ps);
    SetDIBitsToDevice(dc, 0, 0, size.cx, size.cy, 0, 0, 0, size.cy, bits.data(), &info, DIB_RGB_COLORS);
    EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace

PatternWindow::PatternWindow(const RECT& screenRect) : rect_(screenRect) {
    static const ATOM patternClass = [] {
        const WNDCLASSEXW wc = {sizeof wc, 0, PatternProcedure, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr,
                                nullptr, L"GlimraTestPattern", nullptr};
        return RegisterClassExW(&wc);
    }();
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MAKEINTATOM(patternClass), L"pattern", WS_POPUP | WS_VISIBLE,
                            rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(hwnd_);
    const POINT probes[] = {{rect_.left, rect_.top}, {rect_.right - 1, rect_.bottom - 1},
                            {(rect_.left + rect_.right) / 2, (rect_.top + rect_.bottom) / 2}};
    shown_ = hwnd_ != nullptr && WaitUntil([&] {
                 return std::all_of(std::begin(probes), std::end(probes),
                                    [](POINT p) { return ScreenPixel(p.x, p.y) == ScreenPattern(p.x, p.y); });
             });
}

PatternWindow::~PatternWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

std::vector<std::uint32_t> SurfacePixels(HDC dc, int x, int y, SIZE size) {
    const BITMAPINFO info = TopDown32(size);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copy = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, size.cx, size.cy, dc, x, y, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + static_cast<size_t>(size.cx) * size.cy);
    for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
    SelectObject(copy, previous);
    DeleteDC(copy);
    DeleteObject(bitmap);
    return pixels;
}

std::vector<std::uint32_t> ShownPixels(HWND window, SIZE area) {
    UpdateWindow(window);
    // Wine puts a window's drawing on the X screen only when its thread waits; Sleep is no wait.
    auto settle = [](DWORD ms) { MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, 0); };
    settle(0);
    HDC screen = GetDC(nullptr);
    std::vector<std::uint32_t> last = SurfacePixels(screen, 0, 0, area);
    for (int i = 0; i < 100; ++i) {
        settle(10);
        std::vector<std::uint32_t> now = SurfacePixels(screen, 0, 0, area);
        if (now == last) break;
        last = std::move(now);
    }
    ReleaseDC(nullptr, screen);
    return last;
}

}  // namespace Vorlune::Test
