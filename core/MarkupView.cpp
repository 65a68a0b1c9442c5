#include "core/MarkupView.h"

#include <algorithm>
#include <cstdint>

#include "core/StepTable.h"

namespace Vorlune {

namespace {
constexpr int kFull = 100;

// Rounds towards minus infinity, so that the pixels left of and above the image map to
// negative image pixels rather than onto its first row or column.
std::int32_t FloorDivide(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    if (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) --quotient;
    return static_cast<std::int32_t>(quotient);
}

std::int32_t CeilDivide(std::int64_t numerator, std::int64_t denominator) {
    return -FloorDivide(-numerator, denominator);
}

int FitAxis(std::int32_t image, std::int32_t room) {
    room = std::max(room, 0);
    return image > room ? static_cast<int>(std::int64_t{room} * kFull / image) : kFull;
}

std::int32_t ClampAxis(std::int32_t scroll, std::int32_t content, std::int32_t client) {
    if (content <= client) return -((client - content) / 2);
    return std::clamp(scroll, 0, content - client);
}
}  // namespace

int ZoomIn(int percent) { return StepUp(kZoomSteps, percent); }

int ZoomOut(int percent) { return StepDown(kZoomSteps, percent); }

int FitZoom(Size image, Size room) {
    return std::max(kMinZoom, std::min(FitAxis(image.cx, room.cx), FitAxis(image.cy, room.cy)));
}

Size ZoomedSize(Size image, int percent) {
    return {CeilDivide(std::int64_t{image.cx} * percent, kFull), CeilDivide(std::int64_t{image.cy} * percent, kFull)};
}

Point ToClient(Point image, int percent, Point scroll) {
    return {FloorDivide(std::int64_t{image.x} * percent, kFull) - scroll.x,
            FloorDivide(std::int64_t{image.y} * percent, kFull) - scroll.y};
}

Point ToImage(Point client, int percent, Point scroll) {
    return {FloorDivide((std::int64_t{client.x} + scroll.x) * kFull, percent),
            FloorDivide((std::int64_t{client.y} + scroll.y) * kFull, percent)};
}

Point ScrollToKeep(Point image, Point client, int percent) {
    const Point unscrolled = ToClient(image, percent, {});
    return {unscrolled.x - client.x, unscrolled.y - client.y};
}

Point ClampScroll(Point scroll, Size content, Size client) {
    return {ClampAxis(scroll.x, content.cx, client.cx), ClampAxis(scroll.y, content.cy, client.cy)};
}

}  // namespace Vorlune
