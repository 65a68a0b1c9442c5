#include "core/StepTable.h"

#include <algorithm>

namespace Vorlune {

int StepUp(std::span<const int> steps, int value) {
    const auto above = std::upper_bound(steps.begin(), steps.end(), value);
    return above == steps.end() ? steps.back() : *above;
}

int StepDown(std::span<const int> steps, int value) {
    const auto atOrAbove = std::lower_bound(steps.begin(), steps.end(), value);
    return atOrAbove == steps.begin() ? steps.front() : *(atOrAbove - 1);
}

}  // namespace Vorlune
