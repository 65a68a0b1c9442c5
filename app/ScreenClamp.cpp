#include "app/ScreenClamp.h"

namespace Vorlune {

namespace {
LONG ClampCoordinate(LONG value, LONG low, LONG high) {
    if (value < low || value >= high) return low + (high - low) / 2;
    return value;
}
}  // namespace

POINT ClampToVirtualScreen(POINT position, const RECT& virtualScreen) {
    return {ClampCoordinate(position.x, virtualScreen.left, virtualScreen.right),
            ClampCoordinate(position.y, virtualScreen.top, virtualScreen.bottom)};
}

}  // namespace Vorlune
