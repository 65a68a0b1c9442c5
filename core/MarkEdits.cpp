#include "core/MarkEdits.h"

#include <algorithm>
#include <cmath>

namespace Vorlune {

namespace {
// Where a handle sits along one axis of the box, and so which side it drags.
enum class Side { Low, Middle, High };
struct HandleSides {
    Side x, y;
};
constexpr HandleSides kBoxHandleSides[] = {
    {Side::Low, Side::Low},    {Side::High, Side::Low},    {Side::High, Side::High},   {Side::Low, Side::High},
    {Side::Middle, Side::Low}, {Side::High, Side::Middle}, {Side::Middle, Side::High}, {Side::Low, Side::Middle},
};
constexpr int kLineHandleCount = 2;

bool HasBoxHandles(MarkKind kind) {
    return kind == MarkKind::Rectangle || kind == MarkKind::Ellipse || kind == MarkKind::Pixelate ||
           kind == MarkKind::Blur || kind == MarkKind::Spotlight || kind == MarkKind::Pen ||
           kind == MarkKind::Highlighter;
}

bool HasLineHandles(MarkKind kind) { return kind == MarkKind::Line || kind == MarkKind::Arrow; }

std::int32_t AlongSide(Side side, std::int32_t low, std::int32_t high) {
    switch (side) {
        case Side::Low: return low;
        case Side::High: return high;
        default: return low + (high - low) / 2;
    }
}

Box Dragged(Box box, HandleSides sides, Point to) {
    if (sides.x == Side::Low) box.low.x = to.x;
    if (sides.x == Side::High) box.high.x = to.x;
    if (sides.y == Side::Low) box.low.y = to.y;
    if (sides.y == Side::High) box.high.y = to.y;
    return box;
}

// A stroke without extent along an axis has nothing to scale and stays where it is.
std::int32_t Scaled(std::int32_t value, std::int32_t low, std::int32_t high, std::int32_t newLow,
                    std::int32_t newHigh) {
    if (high == low) return value;
    return newLow + static_cast<std::int32_t>(std::lround(double(value - low) * (newHigh - newLow) / (high - low)));
}
}  // namespace

std::vector<Rect> HandlesOf(const Mark& mark, int handleSize) {
    std::vector<Rect> handles;
    if (HasLineHandles(mark.kind) && mark.points.size() >= kLineHandleCount) {
        for (int handle = 0; handle < kLineHandleCount; ++handle)
            handles.push_back(SquareAround(mark.points[handle], handleSize));
    } else if (HasBoxHandles(mark.kind) && !mark.points.empty()) {
        const Box box = BoxOf(mark);
        for (const HandleSides& sides : kBoxHandleSides)
            handles.push_back(SquareAround(
                {AlongSide(sides.x, box.low.x, box.high.x), AlongSide(sides.y, box.low.y, box.high.y)}, handleSize));
    }
    return handles;
}

std::optional<int> HandleAt(const Mark& mark, Point point, int handleSize) {
    const std::vector<Rect> handles = HandlesOf(mark, handleSize);
    for (std::size_t handle = 0; handle < handles.size(); ++handle)
        if (Contains(handles[handle], point)) return static_cast<int>(handle);
    return std::nullopt;
}

Mark Moved(const Mark& mark, Point delta) {
    Mark moved = mark;
    for (Point& point : moved.points) point = {point.x + delta.x, point.y + delta.y};
    Rect& bounds = moved.textBounds;
    bounds = {bounds.left + delta.x, bounds.top + delta.y, bounds.right + delta.x, bounds.bottom + delta.y};
    return moved;
}

Mark Resized(const Mark& mark, int handle, Point to) {
    const int count = static_cast<int>(HandlesOf(mark, 0).size());
    if (handle < 0 || handle >= count) return mark;
    Mark resized = mark;
    if (HasLineHandles(mark.kind)) {
        resized.points[handle] = to;
        return resized;
    }
    const Box box = BoxOf(mark);
    const Box dragged = Dragged(box, kBoxHandleSides[handle], to);
    if (IsStroke(mark)) {
        for (Point& point : resized.points)
            point = {Scaled(point.x, box.low.x, box.high.x, dragged.low.x, dragged.high.x),
                     Scaled(point.y, box.low.y, box.high.y, dragged.low.y, dragged.high.y)};
    } else {
        resized.points = {{std::min(dragged.low.x, dragged.high.x), std::min(dragged.low.y, dragged.high.y)},
                          {std::max(dragged.low.x, dragged.high.x), std::max(dragged.low.y, dragged.high.y)}};
    }
    return resized;
}

}  // namespace Vorlune
