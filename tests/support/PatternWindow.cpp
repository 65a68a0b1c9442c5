#include "PatternWindow.h"

#include "Capture/Dib.h"
#include "CaptureProbe.h"
#include "Wait.h"

namespace Vorlune::Test {

COLORREF ScreenPattern(int x, int y) {
    return RGB((x * 3) & 0xFF, (y * 5) & 0xFF, 0x40 + ((x + 2 * y) & 0x3F));
}

namespace {
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
    const BITMAPINFO info = DibInfo(size.cx, -size.cy, 32);
    PAINTSTRUCT ps = {};
    HDC dc = BeginPaint(hwnd, &ps);
    SetDIBitsToDevice(dc, 0, 0, size.cx, size.cy, 0, 0, 0, size.cy, bits.data(), &info, DIB_RGB_COLORS);
    EndPaint(hwnd, &ps);
    return 0;
}
}  // namespace

PatternWindow::PatternWindow(const RECT& rect) {
    static const ATOM patternClass = [] {
        const WNDCLASSEXW wc = {sizeof wc, 0, PatternProcedure, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr,
                                nullptr, L"GlimraTestPattern", nullptr};
        return RegisterClassExW(&wc);
    }();
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MAKEINTATOM(patternClass), L"pattern", WS_POPUP | WS_VISIBLE,
                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(hwnd_);
    shown_ = hwnd_ != nullptr && WaitUntil([&] {
        return ScreenPixel(rect.left, rect.top) == ScreenPattern(rect.left, rect.top) &&
               ScreenPixel(rect.right - 1, rect.bottom - 1) == ScreenPattern(rect.right - 1, rect.bottom - 1);
    });
}

PatternWindow::~PatternWindow() { DestroyWindow(hwnd_); }

std::vector<std::uint32_t> SurfacePixels(HDC dc, int x, int y, SIZE size) {
    const BITMAPINFO info = DibInfo(size.cx, -size.cy, 32);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copy = CreateCompatibleDC(nullptr);
    SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, size.cx, size.cy, dc, x, y, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + static_cast<size_t>(size.cx) * size.cy);
    for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
    DeleteDC(copy);  // before the bitmap, which it no longer holds then
    DeleteObject(bitmap);
    return pixels;
}

std::vector<std::uint32_t> ShownPixels(HWND window, SIZE area) {
    UpdateWindow(window);
    HDC screen = GetDC(nullptr);
    std::vector<std::uint32_t> last, now;
    for (int i = 0; i < 100 && (i < 2 || now != last); ++i) {
        // Wine puts a window's drawing on the X screen only when its thread waits; Sleep is no wait.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, i == 0 ? 0 : 10, 0);
        last = std::move(now);
        now = SurfacePixels(screen, 0, 0, area);
    }
    ReleaseDC(nullptr, screen);
    return now;
}

}  // namespace Vorlune::Test
