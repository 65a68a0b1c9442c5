#include "Capture/RectangleGeometry.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>

namespace Vorlune {

PickedArea AreaBetween(POINT anchor, POINT point) {
    const LONG left = std::min(anchor.x, point.x);
    const LONG top = std::min(anchor.y, point.y);
    return {{left, top}, {std::max(anchor.x, point.x) - left + 1, std::max(anchor.y, point.y) - top + 1}};
}

PickedArea ClampArea(const PickedArea& area, SIZE snapshot) {
    const LONG left = std::clamp<LONG>(area.position.x, 0, snapshot.cx);
    const LONG top = std::clamp<LONG>(area.position.y, 0, snapshot.cy);
    const LONG right = std::clamp<LONG>(area.position.x + area.size.cx, 0, snapshot.cx);
    const LONG bottom = std::clamp<LONG>(area.position.y + area.size.cy, 0, snapshot.cy);
    return {{left, top}, {std::max<LONG>(0, right - left), std::max<LONG>(0, bottom - top)}};
}

namespace {
// One axis: near side unless the window would leave the far edge; back only when the
// far side would leave the near edge.
LONG PlaceAxis(LONG point, LONG extent, bool& farSide) {
    if (point + kZoomFar > extent)
        farSide = true;
    else if (point - kZoomFar <= 0)
        farSide = false;
    return farSide ? point - kZoomFar : point + kZoomNear;
}
}  // namespace

RECT ZoomPlacement::Place(POINT point, SIZE snapshot) {
    const LONG left = PlaceAxis(point.x, snapshot.cx, onLeft_);
    const LONG top = PlaceAxis(point.y, snapshot.cy, above_);
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
