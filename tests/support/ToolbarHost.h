#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "app/OffscreenDC.h"
#include "widgets/GroupBox.h"

namespace Vorlune::Test {

// A window of the toolbar's size at (300, 300) that serves the title bar and the client area
// as the main window does. One for the whole run: the tooltip window keeps its first owner.
class ToolbarHost {
public:
    static constexpr POINT kOrigin = {300, 300};
    static ToolbarHost& Get();
    void Build();  // fresh containers, shown; command buttons record their ids in ran
    void Hide();   // away with its hint, so no later test meets it or hands it the focus
    // The message with the point in LPARAM; every one but WM_PAINT repaints synchronously.
    void Send(UINT message, int x = 0, int y = 0) const { SendMessageW(hwnd, message, 0, MAKELPARAM(x, y)); }
    COLORREF Pixel(int x, int y) const { return GetPixel(back_.Get(), x, y); }
    GroupBox& TitleBar() const { return *boxes_[0]; }

    HWND hwnd = nullptr;
    int closes = 0;  // WM_CLOSE received; the window stays
    std::vector<int> ran;

private:
    ToolbarHost();
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    OffscreenDC back_;
    std::vector<std::unique_ptr<GroupBox>> boxes_;
};

}  // namespace Vorlune::Test
