#include "core/Dpi.h"

#include <algorithm>
#include <cstdint>

namespace Vorlune {

namespace {
constexpr int kLowestDpi = 48;
constexpr int kHighestDpi = 960;
}  // namespace

int Scaled(int length, int dpi) {
    const std::int64_t product = std::int64_t{length} * dpi;
    const std::int64_t half = kBaseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi : (product - half) / kBaseDpi);
}

Size Scaled(Size size, int dpi) { return {Scaled(size.cx, dpi), Scaled(size.cy, dpi)}; }

Rect Scaled(const Rect& rect, int dpi) {
    return {Scaled(rect.left, dpi), Scaled(rect.top, dpi), Scaled(rect.right, dpi), Scaled(rect.bottom, dpi)};
}

int LineWidth(int dpi) { return std::max(1, Scaled(1, dpi)); }

int PictureScale(int dpi) {
    const int percent4 = dpi * 400 / kBaseDpi;  // four times the percentage, to keep the halves whole
    if (percent4 < 500) return 100;
    if (percent4 < 700) return 150;
    return 200;
}

int SaneDpi(int dpi) { return dpi < kLowestDpi || dpi > kHighestDpi ? kBaseDpi : dpi; }

}  // namespace Vorlune
