#include "core/ZoomPlacement.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>

namespace Vorlune {

namespace {
// One axis: near side unless the window would leave the far edge; back only when the
// far side would leave the near edge.
std::int32_t PlaceAxis(std::int32_t point, std::int32_t extent, bool& farSide) {
    if (point + kZoomFar > extent)
        farSide = true;
    else if (point - kZoomFar <= 0)
        farSide = false;
    return farSide ? point - kZoomFar : point + kZoomNear;
}
}  // namespace

Rect ZoomPlacement::Place(Point point, Size snapshot) {
    const std::int32_t left = PlaceAxis(point.x, snapshot.cx, onLeft_);
    const std::int32_t top = PlaceAxis(point.y, snapshot.cy, above_);
    return {left, top, left + kZoomSize, top + kZoomSize};
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

int ZoomSourceSide(int magnification) { return kZoomSize / magnification; }

}  // namespace Vorlune
