#pragma once
#include <windows.h>

#include "Capture/CaptureBase.h"

namespace Vorlune::Test {

// A hidden top-level window, to own overlays as the toolbar does.
class OwnerWindow {
public:
    OwnerWindow() : hwnd_(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)) {}
    ~OwnerWindow() { DestroyWindow(hwnd_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND Handle() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

// Puts the real cursor at a screen point and waits until it is there.
bool PlaceCursor(POINT screen);

COLORREF ScreenPixel(int x, int y);

}  // namespace Vorlune::Test
