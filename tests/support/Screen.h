#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "Capture/CaptureBase.h"
#include "ui/GdiOwners.h"

// What a test puts on the screen and reads back from it.
namespace Vorlune::Test {

// A hidden top-level window, to own overlays as the toolbar does.
class OwnerWindow {
public:
    HWND Handle() const { return hwnd_.get(); }

private:
    OwnedWindow hwnd_{
        CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)};
};

// Puts the real cursor at a screen point and waits until it is there.
bool PlaceCursor(POINT screen);

COLORREF ScreenPixel(int x, int y);

// Neighbours differ; blue is never 0x00 or 0xFF, so no line colour, black or white.
COLORREF ScreenPattern(int x, int y);

// A topmost window showing the pattern at its screen position.
class PatternWindow {
public:
    explicit PatternWindow(const RECT& screenRect);
    bool Shown() const { return shown_; }  // the pattern has reached the screen
    HWND Handle() const { return hwnd_.get(); }

private:
    OwnedWindow hwnd_;
    bool shown_ = false;
};

// A 32-bit DIB section, top row first.
HBITMAP TopDownDib32(SIZE size, void** bits);

// The pixels of a size-sized DC (a memory DC or the screen's), as 0x00RRGGBB, top row first.
std::vector<std::uint32_t> SurfacePixels(HDC dc, SIZE size);

// The screen's pixels once two reads in a row agree (what was drawn has reached it), or the
// last read at the deadline.
std::vector<std::uint32_t> StillScreen(SIZE size);

enum class Towards { Right, Down };
// How many screen pixels in a row from start on have colour, up to 1024 and the screen's edge.
int ScreenRun(POINT start, COLORREF colour, Towards direction);

// A COLORREF as SurfacePixels gives it.
inline std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace Vorlune::Test
