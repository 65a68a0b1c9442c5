#pragma once
#include <windows.h>

#include "core/Dpi.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

// The title-bar toggle "Capture mouse cursor" is on.
bool CursorCaptureOn();

// A hollow circle of radius 30 at 96 DPI around point, its line as wide as a line at dpi;
// it stays inside CursorMarkerBounds.
void DrawCursorMarker(HDC dc, POINT point, COLORREF colour, int dpi = kBaseDpi);
RECT CursorMarkerBounds(POINT point, int dpi = kBaseDpi);

// The current cursor, with its current shape and at its current place, into a DC whose
// (0, 0) shows the screen point origin.
void DrawCursorImage(HDC dc, POINT origin);

// The two bitmaps GetIconInfo hands out belong to the caller; this owns them.
class CursorBitmaps {
public:
    explicit CursorBitmaps(HICON cursor);

    bool Valid() const { return valid_; }
    POINT HotSpot() const { return {static_cast<LONG>(info_.xHotspot), static_cast<LONG>(info_.yHotspot)}; }
    HBITMAP Colour() const { return colour_.get(); }
    HBITMAP Mask() const { return mask_.get(); }

private:
    ICONINFO info_ = {};
    OwnedBitmap colour_;
    OwnedBitmap mask_;
    bool valid_ = false;
};

}  // namespace Vorlune
