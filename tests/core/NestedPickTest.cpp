#include "core/NestedPick.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vorlune {
namespace {

// Children of a top-level window at (0, 0)-(100, 100), in enumeration order.
int PickAmong(const std::vector<Rect>& children, Point point) {
    const auto rect = [&](std::size_t i) { return children[i]; };
    return NestedPick({0, 0, 100, 100}, children.size(), rect, rect, point);
}

TEST(NestedPick, AChildNotNestedInThePickSoFarIsPassedOver) {
    EXPECT_EQ(PickAmong({{10, 10, 60, 60}, {20, 20, 40, 40}, {0, 0, 200, 200}}, {30, 30}), 1);
}

TEST(NestedPick, APointInNoChildKeepsTheTopLevelWindow) {
    EXPECT_EQ(PickAmong({{10, 10, 60, 60}, {20, 20, 40, 40}}, {90, 90}), kNoPick);
}

// Windows are listed top first: the first that holds the point is the one picked.
TEST(NestedPick, TheTopmostWindowHoldingThePointIsHit) {
    const std::vector<Rect> windows = {{50, 50, 60, 60}, {0, 0, 100, 100}, {0, 0, 200, 200}};
    const auto bounds = [&](std::size_t i) { return windows[i]; };
    EXPECT_EQ(FirstContaining(windows.size(), bounds, {70, 70}), 1);
    EXPECT_EQ(FirstContaining(windows.size(), bounds, {300, 0}), kNoPick);
}

}  // namespace
}  // namespace Vorlune
