#include "core/ZoomPlacement.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>

namespace Vorlune {

namespace {
// One axis: near side unless the window would leave the far edge; back only when the
// far side would leave the near edge.
std::int32_t PlaceAxis(std::int32_t point, std::int32_t extent, bool& farSide, int dpi) {
    const int distance = Scaled(kZoomFar, dpi);
    if (point + distance > extent)
        farSide = true;
    else if (point - distance <= 0)
        farSide = false;
    return farSide ? point - distance : point + Scaled(kZoomNear, dpi);
}
}  // namespace

Rect ZoomPlacement::Place(Point point, Size snapshot, int dpi) {
    const std::int32_t left = PlaceAxis(point.x, snapshot.cx, onLeft_, dpi);
    const std::int32_t top = PlaceAxis(point.y, snapshot.cy, above_, dpi);
    const int side = Scaled(kZoomSize, dpi);
    return {left, top, left + side, top + side};
}

int ParseMagnification(const std::wstring& text) {
    int value = 0;
    try {
        value = std::stoi(text);
    } catch (const std::logic_error&) {  // not a number, or out of int's range
        return kDefaultMagnification;
    }
    if (value <= 0) return kDefaultMagnification;
    return std::min(value, kZoomSize);
}

int ZoomSourceSide(int magnification, int zoomSide) { return zoomSide / magnification; }

}  // namespace Vorlune
