#pragma once
#include <windows.h>

namespace Vorlune {

class ScreenSnapshot;

// The title-bar toggle "Capture mouse cursor" is on.
bool CursorCaptureOn();

// A hollow circle of radius 30 around point, in the auxiliary line colour, into workDC.
void DrawCursorMarker(const ScreenSnapshot& snapshot, POINT point);

// The current cursor, with its current shape and at its current place, into outputDC.
void DrawCursorImage(const ScreenSnapshot& snapshot);

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
