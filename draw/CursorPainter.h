#pragma once
#include <windows.h>

namespace Vorlune {

// The title-bar toggle "Capture mouse cursor" is on.
bool CursorCaptureOn();

// A hollow circle of radius 30 around point; it stays inside CursorMarkerBounds.
void DrawCursorMarker(HDC dc, POINT point, COLORREF colour);
RECT CursorMarkerBounds(POINT point);

// The current cursor, with its current shape and at its current place, into a DC whose
// (0, 0) shows the screen point origin.
void DrawCursorImage(HDC dc, POINT origin);

// The two bitmaps GetIconInfo hands out belong to the caller; this deletes them.
class CursorBitmaps {
public:
    explicit CursorBitmaps(HICON cursor);
    ~CursorBitmaps();
    CursorBitmaps(const CursorBitmaps&) = delete;
    CursorBitmaps& operator=(const CursorBitmaps&) = delete;

    bool Valid() const { return valid_; }
    POINT HotSpot() const { return {static_cast<LONG>(info_.xHotspot), static_cast<LONG>(info_.yHotspot)}; }
    HBITMAP Colour() const { return info_.hbmColor; }
    HBITMAP Mask() const { return info_.hbmMask; }

private:
    ICONINFO info_ = {};
    bool valid_ = false;
};

}  // namespace Vorlune
