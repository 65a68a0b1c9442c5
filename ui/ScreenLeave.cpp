#include "ui/ScreenLeave.h"

#include <algorithm>

#include "ui/GdiOwners.h"
#include "ui/Geometry.h"
#include "ui/Regions.h"
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

// The part of pixels (frame's, row by row) that lies in rect, a part of frame.
std::vector<std::uint32_t> Cut(const std::vector<std::uint32_t>& pixels, const RECT& frame, const RECT& rect) {
    std::vector<std::uint32_t> part;
    const int width = frame.right - frame.left;
    for (LONG y = rect.top; y < rect.bottom; ++y) {
        const auto row = pixels.begin() + (static_cast<size_t>(y - frame.top) * width + (rect.left - frame.left));
        part.insert(part.end(), row, row + (rect.right - rect.left));
    }
    return part;
}

RECT Around(const RECT& a, const RECT& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

bool ExcludedFromScreenCopies(HWND window) {
    DWORD affinity = 0;
    return GetWindowDisplayAffinity(window, &affinity) && affinity == WDA_EXCLUDEFROMCAPTURE;
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
    NoteAreas({rect});
}

void ScreenLeave::NoteAreas(const std::vector<RECT>& areas) {
    const RECT screen = VirtualScreenRect();  // costly under Wine: once, not per area
    std::vector<RECT> clipped;
    for (const RECT& area : areas)
        if (const RECT rect = Intersect(area, screen); HasArea(rect)) clipped.push_back(rect);
    // Each pixel once: areas above one another would be read and compared again and again.
    const std::vector<RECT> rects = Union(clipped);
    if (rects.empty()) return;
    RECT frame = rects.front();
    for (const RECT& rect : rects) frame = Around(frame, rect);
    const std::vector<std::uint32_t> pixels = ScreenPixels(frame);
    if (pixels.empty()) return;
    for (const RECT& rect : rects) shown_.push_back({rect, Cut(pixels, frame, rect)});
}

void ScreenLeave::Await(DWORD limitMilliseconds) const {
    if (shown_.empty()) return;
    RECT frame = shown_.front().rect;
    for (const Shown& shown : shown_) frame = Around(frame, shown.rect);
    const auto gone = [&](const std::vector<std::uint32_t>& now) {
        return !now.empty() && std::all_of(shown_.begin(), shown_.end(), [&](const Shown& shown) {
            return ShowsNoLonger(shown.pixels, Cut(now, frame, shown.rect), shown.rect.right - shown.rect.left,
                                 shown.rect.bottom - shown.rect.top);
        });
    };
    const ULONGLONG start = GetTickCount64();
    while (!gone(ScreenPixels(frame)) && GetTickCount64() - start < limitMilliseconds)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, 0);  // a wait, in which Wine passes this thread's X requests on
}

}  // namespace Vorlune
