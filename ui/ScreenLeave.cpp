#include "ui/ScreenLeave.h"

#include <algorithm>

#include "ui/GdiOwners.h"
#include "ui/Geometry.h"
#include "ui/Regions.h"
#include "ui/VirtualScreen.h"

namespace Vorlune {

namespace {

constexpr int kTile = 16;

// A surface for frame's pixels, 32 bits each, row by row at bits; null when none can be made.
MemorySurface ScreenCopy(const RECT& frame, const std::uint32_t*& bits) {
    BITMAPINFO info = {};
    info.bmiHeader = {
        sizeof info.bmiHeader, frame.right - frame.left, frame.top - frame.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* memory = nullptr;
    MemorySurface copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    bits = static_cast<const std::uint32_t*>(memory);
    return copy;
}

bool ReadScreen(const MemorySurface& copy, const RECT& frame) {
    const ScreenDC screen;
    const bool read = BitBlt(copy.dc(), 0, 0, frame.right - frame.left, frame.bottom - frame.top, screen.get(),
                             frame.left, frame.top, SRCCOPY | CAPTUREBLT) != FALSE;
    GdiFlush();
    return read;
}

RECT Around(const RECT& a, const RECT& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

bool ExcludedFromScreenCopies(HWND window) {
    DWORD affinity = 0;
    return GetWindowDisplayAffinity(window, &affinity) && affinity == WDA_EXCLUDEFROMCAPTURE;
}

}  // namespace

bool ShowsNoLonger(const std::vector<std::uint32_t>& shown, const std::uint32_t* now, int width, const RECT& area) {
    for (LONG top = area.top; top < area.bottom; top += kTile)
        for (LONG left = area.left; left < area.right; left += kTile) {
            bool flat = true, same = true;
            const std::uint32_t corner = shown[static_cast<size_t>(top) * width + left];
            for (LONG y = top; y < std::min(top + kTile, area.bottom); ++y)
                for (LONG x = left; x < std::min(left + kTile, area.right); ++x) {
                    const size_t i = static_cast<size_t>(y) * width + x;
                    flat = flat && shown[i] == corner;
                    same = same && now[i] == shown[i];
                }
            if (!flat && same) return false;
        }
    return true;
}

bool ScreenLeave::Shown::Gone() const {
    return std::all_of(areas.begin(), areas.end(),
                       [&](const RECT& area) { return ShowsNoLonger(pixels, bits, frame.right - frame.left, area); });
}

void ScreenLeave::Note(HWND window) {
    if (window == nullptr || !IsWindowVisible(window) || IsIconic(window) || ExcludedFromScreenCopies(window)) return;
    RECT rect = {};
    GetWindowRect(window, &rect);
    NoteAreas({rect}, VirtualScreenRect());
}

void ScreenLeave::NoteAreas(const std::vector<RECT>& areas, const RECT& screen) {
    std::vector<RECT> clipped;
    for (const RECT& area : areas)
        if (const RECT rect = Intersect(area, screen); HasArea(rect)) clipped.push_back(rect);
    // Each pixel once: areas above one another would be compared again and again.
    std::vector<RECT> rects = Union(clipped);
    if (rects.empty()) return;
    Shown shown = {rects.front(), {}, {}, nullptr, {}};
    for (const RECT& rect : rects) shown.frame = Around(shown.frame, rect);
    shown.copy = ScreenCopy(shown.frame, shown.bits);
    if (!shown.copy || !ReadScreen(shown.copy, shown.frame)) return;
    const LONG width = shown.frame.right - shown.frame.left;
    shown.pixels.assign(shown.bits, shown.bits + static_cast<size_t>(width) * (shown.frame.bottom - shown.frame.top));
    for (RECT& rect : rects) OffsetRect(&rect, -shown.frame.left, -shown.frame.top);
    shown.areas = std::move(rects);
    shown_.push_back(std::move(shown));
}

void ScreenLeave::Await(DWORD limitMilliseconds) {
    const auto gone = [&] {
        return std::all_of(shown_.begin(), shown_.end(),
                           [](const Shown& shown) { return ReadScreen(shown.copy, shown.frame) && shown.Gone(); });
    };
    const ULONGLONG start = GetTickCount64();
    while (!gone() && GetTickCount64() - start < limitMilliseconds)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, 0);  // a wait, in which Wine passes this thread's X requests on
}

}  // namespace Vorlune
