#include "Capture/WindowImage.h"

#include <utility>

#include "Capture/Dib.h"
#include "Capture/ScreenSnapshot.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

std::optional<WindowImage> WindowImage::FromScreen(HWND window, const RECT& bounds) {
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    MemorySurface surface(CreateDib24(width, height));
    if (!surface) return std::nullopt;
    BitBlt(surface.dc(), 0, 0, width, height, ScreenDC().get(), bounds.left, bounds.top, kSnapshotCopy);
    return WindowImage(window, bounds, std::move(surface));
}

void WindowImage::Paste(HDC target, POINT origin) const {
    BitBlt(target, bounds_.left - origin.x, bounds_.top - origin.y, bounds_.right - bounds_.left,
           bounds_.bottom - bounds_.top, surface_.dc(), 0, 0, kSnapshotCopy);
}

}  // namespace Vorlune
