#include "core/NestedPick.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vorlune {
namespace {

// Children of a top-level window at (0, 0)-(100, 100), in enumeration order.
TEST(NestedPick, AChildNotNestedInThePickSoFarIsPassedOver) {
    const std::vector<Rect> children = {{10, 10, 60, 60}, {20, 20, 40, 40}, {0, 0, 200, 200}};
    const auto rect = [&](std::size_t i) { return children[i]; };
    EXPECT_EQ(NestedPick({0, 0, 100, 100}, children.size(), rect, rect, {30, 30}), 1);
}

}  // namespace
}  // namespace Vorlune
