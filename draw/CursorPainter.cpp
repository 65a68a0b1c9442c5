#include "draw/CursorPainter.h"

#include "Capture/ScreenSnapshot.h"
#include "draw/Primitives.h"
#include "settings/SettingsStore.h"

namespace Vorlune {

namespace {
constexpr int kCursorToggleId = 13;
constexpr int kMarkerRadius = 30;
}  // namespace

bool CursorCaptureOn() { return Settings().GetToggle(kCursorToggleId) == 1; }

CursorBitmaps::CursorBitmaps(HICON cursor) { valid_ = cursor != nullptr && GetIconInfo(cursor, &info_) != FALSE; }

CursorBitmaps::~CursorBitmaps() {
    if (info_.hbmColor != nullptr) DeleteObject(info_.hbmColor);
    if (info_.hbmMask != nullptr) DeleteObject(info_.hbmMask);
}

void DrawCursorMarker(const ScreenSnapshot& snapshot, POINT point) {
    HDC dc = snapshot.workDC;
    HGDIOBJ pen = SelectObject(dc, snapshot.gdi->GetPen(1, GetAuxiliaryLineColor()).get());
    HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, point.x - kMarkerRadius, point.y - kMarkerRadius, point.x + kMarkerRadius, point.y + kMarkerRadius);
    SelectObject(dc, brush);
    SelectObject(dc, pen);
}

void DrawCursorImage(const ScreenSnapshot& snapshot) {
    CURSORINFO cursor = {};
    cursor.cbSize = sizeof cursor;
    if (!GetCursorInfo(&cursor) || cursor.hCursor == nullptr) return;
    const CursorBitmaps bitmaps(cursor.hCursor);
    if (!bitmaps.Valid()) return;
    const int x = cursor.ptScreenPos.x - snapshot.bounds.left - bitmaps.HotSpot().x;
    const int y = cursor.ptScreenPos.y - snapshot.bounds.top - bitmaps.HotSpot().y;
    if (bitmaps.Colour() != nullptr) {
        BITMAP colour = {};
        GetObjectW(bitmaps.Colour(), sizeof colour, &colour);
        DrawIconEx(snapshot.outputDC, x, y, cursor.hCursor, colour.bmWidth, colour.bmHeight, 0, nullptr, DI_NORMAL);
    } else {
        DrawIcon(snapshot.outputDC, x, y, cursor.hCursor);
    }
}

}  // namespace Vorlune
