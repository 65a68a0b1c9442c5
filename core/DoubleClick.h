#pragma once
#include <cstdint>

#include "core/Geometry.h"

namespace Vorlune {

// A click as the system stamps it: where on the screen, and its message time in milliseconds
// (which wraps after 49.7 days).
struct ClickStamp {
    Point at;
    std::uint32_t time = 0;
};

// The system's double-click settings: the longest time between the clicks, and the size of
// the rectangle centred on the first that the second must fall in.
struct DoubleClickLimits {
    std::uint32_t milliseconds = 500;
    Size area = {4, 4};
};

// press would make a double click with first: within the time, not before it, and inside the area.
bool IsSecondClick(const ClickStamp& first, const ClickStamp& press, const DoubleClickLimits& limits);

}  // namespace Vorlune
