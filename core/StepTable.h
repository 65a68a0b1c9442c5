#pragma once
#include <span>

namespace Vorlune {

// Stepping through an ascending table of values such as zoom percentages or line widths. A
// value between two steps goes to the next step in the direction asked; the ends hold.
int StepUp(std::span<const int> steps, int value);
int StepDown(std::span<const int> steps, int value);

}  // namespace Vorlune
