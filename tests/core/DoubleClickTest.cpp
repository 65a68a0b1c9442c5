#include "core/DoubleClick.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

const DoubleClickLimits kLimits = {500, {4, 6}};
const ClickStamp kFirst = {{100, 200}, 10000};

TEST(DoubleClick, APressAtTheSamePlaceWithinTheTimeIsTheSecondClick) {
    EXPECT_TRUE(IsSecondClick(kFirst, {{100, 200}, 10060}, kLimits));
}

TEST(DoubleClick, APressAtTheLastMillisecondOfTheTimeIsStillTheSecondClick) {
    EXPECT_TRUE(IsSecondClick(kFirst, {{100, 200}, 10500}, kLimits));
}

TEST(DoubleClick, APressAfterTheTimeIsANewClick) { EXPECT_FALSE(IsSecondClick(kFirst, {{100, 200}, 10501}, kLimits)); }

TEST(DoubleClick, APressStampedBeforeTheFirstClickIsANewClick) {
    EXPECT_FALSE(IsSecondClick(kFirst, {{100, 200}, 9990}, kLimits));
}

TEST(DoubleClick, TheTimeCountsAcrossTheWrapOfTheMessageClock) {
    EXPECT_TRUE(IsSecondClick({{0, 0}, 0xFFFFFF00u}, {{0, 0}, 0x40u}, kLimits));
}

struct Offset {
    int dx;
    int dy;
    bool second;
};

class DoubleClickArea : public testing::TestWithParam<Offset> {};

// The area is 4 wide and 6 high, centred on the first click.
TEST_P(DoubleClickArea, APressCountsOnlyInsideTheAreaCentredOnTheFirstClick) {
    const Offset offset = GetParam();
    const ClickStamp press = {{kFirst.at.x + offset.dx, kFirst.at.y + offset.dy}, kFirst.time + 100};
    EXPECT_EQ(IsSecondClick(kFirst, press, kLimits), offset.second);
}

INSTANTIATE_TEST_SUITE_P(DoubleClick, DoubleClickArea,
                         testing::Values(Offset{2, 0, true}, Offset{-2, 0, true}, Offset{3, 0, false},
                                         Offset{-3, 0, false}, Offset{0, 3, true}, Offset{0, -3, true},
                                         Offset{0, 4, false}, Offset{2, -3, true}, Offset{3, 3, false}));

}  // namespace
}  // namespace Vorlune
