#include "draw/CursorPainter.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "draw/GdiObjectCache.h"
#include "draw/Primitives.h"
#include "settings/SettingsStore.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {
constexpr int kMarkerRadius = 30;

void DrawRing(HDC dc, POINT point, COLORREF colour, int dpi) {
    const SelectGuard pen(dc, GdiCache().GetPen(LineWidth(dpi), colour).get());
    const SelectGuard brush(dc, GetStockObject(NULL_BRUSH));
    const int r = Scaled(kMarkerRadius, dpi);
    Ellipse(dc, point.x - r, point.y - r, point.x + r, point.y + r);
}

// The ring's pixels round (0, 0), read back once from the ellipse itself: a pen wider than
// one pixel costs many times more to draw than its pixels cost to fill. Null when it cannot
// be made.
OwnedRegion ReadRing(int dpi) {
    const int reach = Scaled(kMarkerRadius, dpi) + LineWidth(dpi);
    const int side = 2 * reach;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const OwnedDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc) return nullptr;
    const SelectGuard selected(dc.get(), bitmap.get());
    DrawRing(dc.get(), {reach, reach}, RGB(255, 255, 255), dpi);  // onto the DIB's zeros
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<RECT> runs;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            if (pixels[y * side + x] == 0) continue;
            const int start = x;
            while (x < side && pixels[y * side + x] != 0) ++x;
            runs.push_back({start - reach, y - reach, x - reach, y - reach + 1});
        }
    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh = {
        sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(runs.size()), 0, {-reach, -reach, reach, reach}};
    std::memcpy(region->Buffer, runs.data(), runs.size() * sizeof(RECT));
    return OwnedRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region));
}

// Kept for the program's life, one a DPI; a failure is tried again on the next draw.
HRGN Ring(int dpi) {
    static std::unordered_map<int, OwnedRegion> rings;
    OwnedRegion& ring = rings[dpi];
    if (!ring) ring = ReadRing(dpi);
    return ring.get();
}
}  // namespace

bool CursorCaptureOn() { return Store().GetToggle(TextCursorToggle) == 1; }

CursorBitmaps::CursorBitmaps(HICON cursor) {
    valid_ = cursor != nullptr && GetIconInfo(cursor, &info_) != FALSE;
    colour_.reset(info_.hbmColor);
    mask_.reset(info_.hbmMask);
}

void DrawCursorMarker(HDC dc, POINT point, COLORREF colour, int dpi) {
    HRGN ring = Ring(dpi);
    if (ring == nullptr) return DrawRing(dc, point, colour, dpi);
    OffsetRgn(ring, point.x, point.y);
    FillRgn(dc, ring, GdiCache().GetBrush(colour).get());
    OffsetRgn(ring, -point.x, -point.y);
}

RECT CursorMarkerBounds(POINT point, int dpi) {
    // A one-pixel line keeps inside its box, right and bottom excluded; a wider one is centred
    // on it. One pixel spare all round.
    const int reach = Scaled(kMarkerRadius, dpi) + LineWidth(dpi);
    return {point.x - reach, point.y - reach, point.x + reach, point.y + reach};
}

void DrawCursorImage(HDC dc, POINT origin) {
    CURSORINFO cursor = {};
    cursor.cbSize = sizeof cursor;
    if (!GetCursorInfo(&cursor) || cursor.hCursor == nullptr) return;
    const CursorBitmaps bitmaps(cursor.hCursor);
    if (!bitmaps.Valid()) return;
    const int x = cursor.ptScreenPos.x - origin.x - bitmaps.HotSpot().x;
    const int y = cursor.ptScreenPos.y - origin.y - bitmaps.HotSpot().y;
    if (bitmaps.Colour() != nullptr) {
        BITMAP colour = {};
        GetObjectW(bitmaps.Colour(), sizeof colour, &colour);
        DrawIconEx(dc, x, y, cursor.hCursor, colour.bmWidth, colour.bmHeight, 0, nullptr, DI_NORMAL);
    } else {
        DrawIcon(dc, x, y, cursor.hCursor);
    }
}

}  // namespace Vorlune
