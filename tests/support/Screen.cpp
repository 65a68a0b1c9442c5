#include "Screen.h"

#include <algorithm>
#include <utility>

#include "Capture/Dib.h"
#include "Wait.h"
#include "ui/GdiOwners.h"

namespace Vorlune::Test {

bool PlaceCursor(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    return WaitUntil([&] {
        POINT now = {};
        GetCursorPos(&now);
        return now.x == screen.x && now.y == screen.y;
    });
}

COLORREF ScreenPixel(int x, int y) { return GetPixel(ScreenDC().get(), x, y); }

COLORREF ScreenPattern(int x, int y) { return RGB((x * 3) & 0xFF, (y * 5) & 0xFF, 0x40 + ((x + 2 * y) & 0x3F)); }

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
        const WNDCLASSEXW wc = {
            sizeof wc, 0,       PatternProcedure,     0,      0, GetModuleHandleW(nullptr), nullptr, nullptr,
            nullptr,   nullptr, L"GlimraTestPattern", nullptr};
        return RegisterClassExW(&wc);
    }();
    hwnd_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MAKEINTATOM(patternClass), L"pattern",
                                WS_POPUP | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    UpdateWindow(hwnd_.get());
    shown_ = hwnd_ != nullptr && WaitUntil([&] {
                 return ScreenPixel(rect.left, rect.top) == ScreenPattern(rect.left, rect.top) &&
                        ScreenPixel(rect.right - 1, rect.bottom - 1) == ScreenPattern(rect.right - 1, rect.bottom - 1);
             });
}

HBITMAP TopDownDib32(SIZE size, void** bits) {
    const BITMAPINFO info = DibInfo(size.cx, -size.cy, 32);
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

std::vector<std::uint32_t> SurfacePixels(HDC dc, SIZE size) {
    void* bits = nullptr;
    const MemorySurface copy(TopDownDib32(size, &bits));
    BitBlt(copy.dc(), 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + static_cast<size_t>(size.cx) * size.cy);
    for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

int ScreenRun(POINT start, COLORREF colour, Towards direction) {
    // Wine copies nothing of a strip that reaches past the screen's edge.
    const int room = direction == Towards::Right
                         ? GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) - start.x
                         : GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN) - start.y;
    const int longest = std::clamp(room, 0, 1024);
    const SIZE strip = direction == Towards::Right ? SIZE{longest, 1} : SIZE{1, longest};
    void* bits = nullptr;
    const MemorySurface copy(TopDownDib32(strip, &bits));
    BitBlt(copy.dc(), 0, 0, strip.cx, strip.cy, ScreenDC().get(), start.x, start.y, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    int run = 0;
    while (run < longest && (pixels[run] & 0xFFFFFF) == Rgb(colour)) ++run;
    return run;
}

std::vector<std::uint32_t> StillScreen(SIZE size) {
    std::vector<std::uint32_t> last, now;
    WaitUntil([&] {
        // Wine puts a window's drawing on the X screen only when its thread waits; Sleep is no wait.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, 0);
        last = std::exchange(now, SurfacePixels(ScreenDC().get(), size));
        return now == last;
    });
    return now;
}

}  // namespace Vorlune::Test
