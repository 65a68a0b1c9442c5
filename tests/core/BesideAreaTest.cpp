#include "core/BesideArea.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

constexpr Rect kScreen = {0, 0, 1920, 1080};
constexpr Size kWindow = {200, 300};

TEST(BesideArea, GoesToTheRightOfTheAreaAtItsTop) {
    EXPECT_EQ(PlaceBeside({100, 100, 900, 700}, kWindow, kScreen, 8), (Rect{908, 100, 1108, 400}));
}

TEST(BesideArea, GoesLeftWhereTheRightHasNoRoom) {
    EXPECT_EQ(PlaceBeside({1000, 100, 1900, 700}, kWindow, kScreen, 8), (Rect{792, 100, 992, 400}));
}

TEST(BesideArea, GoesBelowAnAreaAsWideAsTheScreen) {
    EXPECT_EQ(PlaceBeside({0, 100, 1920, 600}, kWindow, kScreen, 8), (Rect{0, 608, 200, 908}));
}

TEST(BesideArea, StaysInsideTheRoomWhereTheAreaReachesItsBottom) {
    EXPECT_EQ(PlaceBeside({100, 900, 900, 1080}, kWindow, kScreen, 8), (Rect{908, 780, 1108, 1080}));
}

TEST(BesideArea, FindsNoPlaceBesideAnAreaThatFillsTheScreen) {
    EXPECT_EQ(PlaceBeside(kScreen, kWindow, kScreen, 8), std::nullopt);
}

}  // namespace
}  // namespace Vorlune
