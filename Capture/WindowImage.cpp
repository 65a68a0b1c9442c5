#include "Capture/WindowImage.h"

#include <cstring>
#include <utility>

#include "Capture/Dib.h"
#include "Capture/ScreenSnapshot.h"

namespace Vorlune {

std::optional<WindowImage> WindowImage::FromScreen(HWND window, const RECT& bounds) {
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    HBITMAP bitmap = CreateDib24(width, height);
    if (bitmap == nullptr) return std::nullopt;
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        DeleteObject(bitmap);
        return std::nullopt;
    }
    SelectObject(dc, bitmap);
    WindowImage image(window, bounds, dc, bitmap);
    HDC screen = GetDC(nullptr);
    BitBlt(dc, 0, 0, width, height, screen, bounds.left, bounds.top, kSnapshotCopy);
    ReleaseDC(nullptr, screen);
    return image;
}

WindowImage::~WindowImage() {
    // A bitmap still selected into a DC cannot be deleted.
    if (dc_ != nullptr) DeleteDC(dc_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

WindowImage::WindowImage(WindowImage&& other) noexcept
    : window_(other.window_), bounds_(other.bounds_), dc_(std::exchange(other.dc_, nullptr)),
      bitmap_(std::exchange(other.bitmap_, nullptr)) {}

bool WindowImage::SamePixels(const WindowImage& other) const {
    DIBSECTION mine = {};
    DIBSECTION theirs = {};
    if (GetObjectW(bitmap_, sizeof mine, &mine) != sizeof mine || GetObjectW(other.bitmap_, sizeof theirs, &theirs) != sizeof theirs)
        return false;
    if (mine.dsBm.bmWidth != theirs.dsBm.bmWidth || mine.dsBm.bmHeight != theirs.dsBm.bmHeight) return false;
    GdiFlush();  // the copies into both are done
    const size_t bytes = static_cast<size_t>(mine.dsBm.bmWidthBytes) * static_cast<size_t>(mine.dsBm.bmHeight);
    return std::memcmp(mine.dsBm.bmBits, theirs.dsBm.bmBits, bytes) == 0;
}

void WindowImage::Paste(HDC target, POINT origin) const {
    BitBlt(target, bounds_.left - origin.x, bounds_.top - origin.y, bounds_.right - bounds_.left,
           bounds_.bottom - bounds_.top, dc_, 0, 0, kSnapshotCopy);
}

}  // namespace Vorlune
