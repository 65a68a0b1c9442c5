#include "core/StepTable.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

constexpr int kSteps[] = {10, 20, 40};

TEST(StepTable, AValueBetweenStepsGoesToTheNextStepInThatDirection) {
    EXPECT_EQ(StepUp(kSteps, 25), 40);
    EXPECT_EQ(StepDown(kSteps, 25), 20);
}

TEST(StepTable, ValuesBeyondTheEndsStepToTheEnds) {
    EXPECT_EQ(StepUp(kSteps, 99), 40);
    EXPECT_EQ(StepDown(kSteps, 1), 10);
}

}  // namespace
}  // namespace Vorlune
