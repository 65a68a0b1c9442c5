#pragma once
#include <windows.h>

#include <optional>
#include <utility>

#include "ui/GdiOwners.h"

namespace Vorlune {

// A picture of one window: its bounds at the time (screen coordinates) and a memory DC
// holding a 24-bit bitmap of that size.
class WindowImage {
public:
    // The bounds' area of the screen as it is now; none when no bitmap of that size can be made.
    static std::optional<WindowImage> FromScreen(HWND window, const RECT& bounds);
    WindowImage(WindowImage&&) noexcept = default;
    WindowImage& operator=(WindowImage&&) = delete;

    HWND Window() const { return window_; }
    const RECT& Bounds() const { return bounds_; }
    // The picture onto target, where the snapshot's corner is at origin in screen coordinates.
    void Paste(HDC target, POINT origin) const;

private:
    WindowImage(HWND window, const RECT& bounds, MemorySurface surface)
        : window_(window), bounds_(bounds), surface_(std::move(surface)) {}

    HWND window_ = nullptr;
    RECT bounds_ = {};
    MemorySurface surface_;
};

}  // namespace Vorlune
