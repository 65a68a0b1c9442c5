#include "draw/CursorPainter.h"

#include "draw/GdiObjectCache.h"
#include "draw/Primitives.h"
#include "settings/SettingsStore.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {
constexpr int kMarkerRadius = 30;
}  // namespace

bool CursorCaptureOn() { return Store().GetToggle(TextCursorToggle) == 1; }

CursorBitmaps::CursorBitmaps(HICON cursor) {
    valid_ = cursor != nullptr && GetIconInfo(cursor, &info_) != FALSE;
    colour_.reset(info_.hbmColor);
    mask_.reset(info_.hbmMask);
}

void DrawCursorMarker(HDC dc, POINT point, COLORREF colour, int dpi) {
    const SelectGuard pen(dc, GdiCache().GetPen(LineWidth(dpi), colour).get());
    const SelectGuard brush(dc, GetStockObject(NULL_BRUSH));
    const int r = Scaled(kMarkerRadius, dpi);
    Ellipse(dc, point.x - r, point.y - r, point.x + r, point.y + r);
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
