#include "CaptureProbe.h"

#include "Wait.h"
#include "ui/GdiOwners.h"

namespace Vorlune::Test {

bool PlaceCursor(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    return WaitUntil([&] {
        POINT now = {};
        GetCursorPos(&now);
        return now.x == screen.x && now.y == screen.y;
    });
}

COLORREF ScreenPixel(int x, int y) { return GetPixel(ScreenDC().get(), x, y); }

}  // namespace Vorlune::Test
