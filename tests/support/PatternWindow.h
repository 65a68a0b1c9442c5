#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace Vorlune::Test {

// Neighbours differ; blue is never 0x00 or 0xFF, so no line colour, black or white.
COLORREF ScreenPattern(int x, int y);

// A topmost window showing the pattern at its screen position.
class PatternWindow {
public:
    explicit PatternWindow(const RECT& screenRect);
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;
    bool Shown() const { return shown_; }  // the pattern has reached the screen

private:
    HWND hwnd_ = nullptr;
    bool shown_ = false;
};

// The pixels of a size-sized DC (a memory DC or the screen's), as 0x00RRGGBB, top row first.
std::vector<std::uint32_t> SurfacePixels(HDC dc, int x, int y, SIZE size);

// The screen area once window's pending paint reached it (two reads in a row agree).
std::vector<std::uint32_t> ShownPixels(HWND window, SIZE area);

// A COLORREF as SurfacePixels gives it.
inline std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace Vorlune::Test
