#pragma once
#include <windows.h>

#include <optional>

namespace Vorlune {

// A picture of one window: its bounds at the time (screen coordinates) and a memory DC
// holding a 24-bit bitmap of that size. Owns both; the DC goes first, then the bitmap.
class WindowImage {
public:
    // The bounds' area of the screen as it is now; none when no bitmap of that size can be made.
    static std::optional<WindowImage> FromScreen(HWND window, const RECT& bounds);
    ~WindowImage();
    WindowImage(WindowImage&& other) noexcept;
    WindowImage& operator=(WindowImage&&) = delete;
    WindowImage(const WindowImage&) = delete;
    WindowImage& operator=(const WindowImage&) = delete;

    HWND Window() const { return window_; }
    const RECT& Bounds() const { return bounds_; }
    // The picture onto target, where the snapshot's corner is at origin in screen coordinates.
    void Paste(HDC target, POINT origin) const;
    // Whether both hold the same pixels.
    bool SamePixels(const WindowImage& other) const;

private:
    WindowImage(HWND window, const RECT& bounds, HDC dc, HBITMAP bitmap)
        : window_(window), bounds_(bounds), dc_(dc), bitmap_(bitmap) {}

    HWND window_ = nullptr;
    RECT bounds_ = {};
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

}  // namespace Vorlune
