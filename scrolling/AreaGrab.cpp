#include "scrolling/AreaGrab.h"

#include "Capture/CaptureErrors.h"
#include "Capture/Dib.h"
#include "Capture/ScreenSnapshot.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

ScrollFrame GrabScreenArea(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const MemorySurface surface(CreateDib32(width, height));
    DIBSECTION section = {};
    if (!surface || GetObjectW(surface.bitmap(), sizeof section, &section) != sizeof section ||
        !BitBlt(surface.dc(), 0, 0, width, height, ScreenDC().get(), area.left, area.top, kSnapshotCopy))
        throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, GetLastError());
    GdiFlush();
    ScrollFrame frame{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    const auto* bits = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    for (int y = 0; y < height; ++y) {
        // Bottom-up; the copy leaves the fourth byte as it likes.
        const std::uint32_t* row = bits + static_cast<std::size_t>(height - 1 - y) * width;
        std::uint32_t* into = frame.Row(y);
        for (int x = 0; x < width; ++x) into[x] = row[x] & 0xFFFFFF;
    }
    return frame;
}

}  // namespace Vorlune
