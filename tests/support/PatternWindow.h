#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Vorlune::Test {

// The colour the pattern shows at screen point (x, y): neighbours differ, and it is never
// black, white or any colour whose blue is 0x00 or 0xFF (so never a line colour like magenta).
COLORREF ScreenPattern(int x, int y);

// A topmost window showing the pattern at its screen position.
class PatternWindow {
public:
    explicit PatternWindow(const RECT& screenRect);
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;
    // The pattern has reached the screen.
    bool Shown() const { return shown_; }
    const RECT& Rect() const { return rect_; }

private:
    RECT rect_;
    HWND hwnd_ = nullptr;
    bool shown_ = false;
};

// The extent of text in the program's font 0.
SIZE TextExtent(const std::wstring& text);

// The pixels of a size-sized DC (a memory DC or the screen's), as 0x00RRGGBB, top row first.
std::vector<std::uint32_t> SurfacePixels(HDC dc, int x, int y, SIZE size);

// What window shows of the screen area once its pending paint reached the screen: two
// reads in a row agree. Snapshot coordinates are screen coordinates on a display at (0, 0).
std::vector<std::uint32_t> ShownPixels(HWND window, SIZE area);

// A COLORREF as SurfacePixels gives it.
inline std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace Vorlune::Test
