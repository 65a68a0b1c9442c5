#include "core/PinView.h"

#include <algorithm>

namespace Vorlune {

namespace {
constexpr int kFull = 100;
constexpr int kOpaque = 255;

int Stepped(int percent, int notches, int low, int high) { return std::clamp(percent + notches * kPinStep, low, high); }

// To the nearest whole number, halves away from zero, so that a cursor left of the image
// fares as one right of it.
std::int32_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t half = denominator / 2;
    return static_cast<std::int32_t>(numerator >= 0 ? (numerator + half) / denominator
                                                    : -((-numerator + half) / denominator));
}

std::int32_t ZoomAxis(std::int32_t edge, std::int32_t cursor, int from, int to) {
    return cursor - RoundedQuotient(std::int64_t{cursor - edge} * to, from);
}
}  // namespace

int PinZoomAfter(int percent, int notches, int limit) {
    return Stepped(percent, notches, kPinMinZoom, std::clamp(limit, kPinMinZoom, kPinMaxZoom));
}

int PinZoomLimit(Size image, Size screen) {
    constexpr int kScreens = 2;
    auto side = [](std::int32_t shown, std::int32_t room) {
        return shown <= 0 ? kPinMaxZoom : static_cast<int>(std::int64_t{room} * kScreens * kFull / shown);
    };
    const int widest = std::min(side(image.cx, screen.cx), side(image.cy, screen.cy));
    return std::clamp(widest / kPinStep * kPinStep, kFull, kPinMaxZoom);
}

int PinOpacityAfter(int percent, int notches) { return Stepped(percent, notches, kPinMinOpacity, kPinMaxOpacity); }

std::uint8_t PinAlpha(int opacity) {
    return static_cast<std::uint8_t>(RoundedQuotient(std::clamp(opacity, 0, kFull) * kOpaque, kFull));
}

Point ZoomAbout(Point topLeft, Point cursor, int fromPercent, int toPercent) {
    return {ZoomAxis(topLeft.x, cursor.x, fromPercent, toPercent),
            ZoomAxis(topLeft.y, cursor.y, fromPercent, toPercent)};
}

int WheelNotches::Add(int delta) {
    rest_ += delta;
    const int notches = rest_ / kWheelNotch;
    rest_ -= notches * kWheelNotch;
    return notches;
}

}  // namespace Vorlune
