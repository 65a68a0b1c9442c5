#pragma once
#include <cstdint>

#include "core/Geometry.h"

// How a pin shows its image: its zoom and its opacity in percent, stepped by the mouse wheel.
namespace Vorlune {

constexpr int kPinStep = 10;  // per notch, of either
constexpr int kPinMinZoom = 10;
constexpr int kPinMaxZoom = 800;
constexpr int kPinMinOpacity = 20;  // fainter would lose it on the screen
constexpr int kPinMaxOpacity = 100;
constexpr int kWheelNotch = 120;  // WHEEL_DELTA

// notches away from percent, positive ones up; the ends hold, the top one at limit if lower.
int PinZoomAfter(int percent, int notches, int limit = kPinMaxZoom);
// The largest zoom, in whole steps and never under 100, that keeps the shown image within
// twice the screen on each side: a whole desktop at 800 % would be a window of half a gigabyte.
int PinZoomLimit(Size image, Size screen);
int PinOpacityAfter(int percent, int notches);
// A layered window's alpha for an opacity.
std::uint8_t PinAlpha(int opacity);
// Where the image's top-left corner goes when it is zoomed from one percent to another, so
// that the image point under the cursor stays under it.
Point ZoomAbout(Point topLeft, Point cursor, int fromPercent, int toPercent);

// Whole notches of a wheel that may turn by part of one at a time.
class WheelNotches {
public:
    int Add(int delta);

private:
    int rest_ = 0;
};

}  // namespace Vorlune
