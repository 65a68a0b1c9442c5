#pragma once
#include <windows.h>

#include <vector>

namespace Vorlune::Test {

// A window of the toolbar's size at (300, 300) served by the real toolbar's handlers, where a
// close is only counted. One for the whole run: the tooltip window keeps its first owner.
class ToolbarHost {
public:
    static constexpr POINT kOrigin = {300, 300};
    static ToolbarHost& Get();
    void Build();  // fresh containers, shown at kOrigin; command buttons record their ids in ran
    // The message with the point in LPARAM; every one but WM_PAINT repaints synchronously.
    void Send(UINT message, int x = 0, int y = 0) const { SendMessageW(hwnd, message, 0, MAKELPARAM(x, y)); }
    COLORREF Pixel(int x, int y) const;

    HWND hwnd = nullptr;
    int closes = 0;  // WM_CLOSE received; the window stays
    std::vector<int> ran;

private:
    ToolbarHost();
};

}  // namespace Vorlune::Test
