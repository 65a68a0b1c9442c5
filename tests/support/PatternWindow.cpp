#include "PatternWindow.h"

#include <algorithm>

#include "Scratch.h"
#include "Wait.h"

namespace Vorlune::Test {

COLORREF ScreenPattern(int x, int y) {
    const int red = (x * 3) & 0xFF;
    const int green = (y * 5) & 0xFF;
    const int blue = 0x40 + ((x + 2 * y) & 0x3F);
    return RGB(red, green, blue);
}

namespace {

LRESULT CALLBACK PatternProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<std::uint32_t> bits(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = ScreenPattern(rect.left + x, rect.top + y);
            bits[static_cast<size_t>(y) * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    PAINTSTRUCT ps = {};
    HDC dc = BeginPaint(hwnd, &ps);
    SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, bits.data(), &info, DIB_RGB_COLORS);
    EndPaint(hwnd, &ps);
    return 0;
}

const wchar_t* PatternClass() {
    static const wchar_t* name = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = PatternProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GlimraTestPattern";
        RegisterClassExW(&wc);
        return L"GlimraTestPattern";
    }();
    return name;
}

COLORREF ScreenAt(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

}  // namespace

PatternWindow::PatternWindow(const RECT& screenRect) : rect_(screenRect) {
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, PatternClass(), L"pattern", WS_POPUP | WS_VISIBLE,
                            rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(hwnd_);
    const POINT probes[] = {{rect_.left, rect_.top}, {rect_.right - 1, rect_.bottom - 1},
                            {(rect_.left + rect_.right) / 2, (rect_.top + rect_.bottom) / 2}};
    shown_ = hwnd_ != nullptr && WaitUntil([&] {
                 return std::all_of(std::begin(probes), std::end(probes),
                                    [](POINT p) { return ScreenAt(p.x, p.y) == ScreenPattern(p.x, p.y); });
             });
}

PatternWindow::~PatternWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

std::optional<BmpImage> ReadBmp24(const std::wstring& path) {
    const std::vector<unsigned char> bytes = ReadBytes(path);
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    auto u32 = [&](size_t at) {
        return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24);
    };
    BmpImage image;
    image.width = static_cast<int>(u32(18));
    image.height = static_cast<int>(u32(22));
    const std::uint32_t offset = u32(10);
    if (bytes[28] != 24 || image.width <= 0 || image.height <= 0) return std::nullopt;
    const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) / 4 * 4;
    if (bytes.size() < offset + stride * image.height) return std::nullopt;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* row = &bytes[offset + stride * (image.height - 1 - y)];
        for (int x = 0; x < image.width; ++x)
            image.pixels[static_cast<size_t>(y) * image.width + x] = RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    }
    return image;
}

std::vector<std::wstring> BmpFilesUnder(const std::wstring& folder) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW day = {};
    HANDLE days = FindFirstFileW((folder + L"*").c_str(), &day);
    if (days == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(day.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || day.cFileName[0] == L'.') continue;
        const std::wstring dayFolder = folder + day.cFileName + L"\\";
        WIN32_FIND_DATAW file = {};
        HANDLE found = FindFirstFileW((dayFolder + L"*.bmp").c_str(), &file);
        if (found == INVALID_HANDLE_VALUE) continue;
        do files.push_back(dayFolder + file.cFileName);
        while (FindNextFileW(found, &file));
        FindClose(found);
    } while (FindNextFileW(days, &day));
    FindClose(days);
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint32_t> SurfacePixels(HDC dc, int x, int y, SIZE size) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
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

}  // namespace Vorlune::Test
