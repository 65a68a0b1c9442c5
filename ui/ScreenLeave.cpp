#include "ui/ScreenLeave.h"

#include <dwmapi.h>

#include <algorithm>

#include "ui/GdiOwners.h"
#include "ui/Geometry.h"
#include "ui/VirtualScreen.h"

namespace Vorlune {

namespace {

constexpr int kTile = 16;

// The screen's pixels in rect, row by row; empty when they cannot be read.
std::vector<std::uint32_t> ScreenPixels(const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const MemorySurface copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const ScreenDC screen;
    if (bits == nullptr || !BitBlt(copy.dc(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY | CAPTUREBLT))
        return {};
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    return {first, first + static_cast<size_t>(width) * height};
}

bool ExcludedFromScreenCopies(HWND window) {
    DWORD affinity = 0;
    return GetWindowDisplayAffinity(window, &affinity) && affinity == WDA_EXCLUDEFROMCAPTURE;
}

bool Composing() {
    BOOL composing = FALSE;
    return SUCCEEDED(DwmIsCompositionEnabled(&composing)) && composing;
}

}  // namespace

bool ShowsNoLonger(const std::vector<std::uint32_t>& shown, const std::vector<std::uint32_t>& now, int width, int height) {
    if (now.size() != shown.size() || shown.size() != static_cast<size_t>(width) * height) return false;
    for (int top = 0; top < height; top += kTile)
        for (int left = 0; left < width; left += kTile) {
            bool flat = true, same = true;
            const std::uint32_t corner = shown[static_cast<size_t>(top) * width + left];
            for (int y = top; y < std::min(top + kTile, height); ++y)
                for (int x = left; x < std::min(left + kTile, width); ++x) {
                    const size_t i = static_cast<size_t>(y) * width + x;
                    flat = flat && shown[i] == corner;
                    same = same && now[i] == shown[i];
                }
            if (!flat && same) return false;
        }
    return true;
}

void ScreenLeave::Note(HWND window) {
    if (window == nullptr || !IsWindowVisible(window) || IsIconic(window) || ExcludedFromScreenCopies(window)) return;
    RECT rect = {};
    GetWindowRect(window, &rect);
    rect = Intersect(rect, VirtualScreenRect());
    if (!HasArea(rect)) return;
    std::vector<std::uint32_t> pixels = ScreenPixels(rect);
    if (!pixels.empty()) shown_.push_back({rect, std::move(pixels)});
}

void ScreenLeave::Await(DWORD limitMilliseconds) const {
    if (shown_.empty()) return;
    if (Composing()) {
        DwmFlush();  // the next composition, which no longer holds them
        return;
    }
    const ULONGLONG start = GetTickCount64();
    for (const Shown& shown : shown_) {
        const int width = shown.rect.right - shown.rect.left, height = shown.rect.bottom - shown.rect.top;
        while (GetTickCount64() - start < limitMilliseconds && !ShowsNoLonger(shown.pixels, ScreenPixels(shown.rect), width, height))
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, 0);  // a wait, in which Wine passes this thread's X requests on
    }
}

}  // namespace Vorlune
