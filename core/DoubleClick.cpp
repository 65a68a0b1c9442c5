#include "core/DoubleClick.h"

#include <cstdlib>

namespace Vorlune {

bool IsSecondClick(const ClickStamp& first, const ClickStamp& press, const DoubleClickLimits& limits) {
    // Unsigned: a press stamped before the first click wraps round to a huge interval.
    const std::uint32_t elapsed = press.time - first.time;
    if (elapsed > limits.milliseconds) return false;
    return std::abs(press.at.x - first.at.x) <= limits.area.cx / 2 &&
           std::abs(press.at.y - first.at.y) <= limits.area.cy / 2;
}

}  // namespace Vorlune
