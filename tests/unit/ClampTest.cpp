#include <gtest/gtest.h>

#include "app/ScreenClamp.h"

namespace Vorlune {
namespace {

POINT Clamp(LONG x, LONG y, RECT screen) { return ClampToVirtualScreen({x, y}, screen); }

TEST(ScreenClamp, SingleMonitorFromOrigin) {
    const RECT screen = {0, 0, 1920, 1080};
    EXPECT_EQ(Clamp(100, 100, screen).x, 100);
    EXPECT_EQ(Clamp(-5000, 50, screen).x, 960);
    EXPECT_EQ(Clamp(-5000, 50, screen).y, 50);
    EXPECT_EQ(Clamp(10, -1, screen).y, 540);
    EXPECT_EQ(Clamp(5000, 5000, screen).x, 960);
    EXPECT_EQ(Clamp(5000, 5000, screen).y, 540);
    // On or past the right and bottom edge the window could not be seen.
    EXPECT_EQ(Clamp(1920, 1080, screen).x, 960);
    EXPECT_EQ(Clamp(1920, 1080, screen).y, 540);
    EXPECT_EQ(Clamp(1919, 1079, screen).x, 1919);
    EXPECT_EQ(Clamp(0, 0, screen).x, 0);
}

TEST(ScreenClamp, TwoMonitorsWithNegativeOrigin) {
    const RECT screen = {-1920, 0, 1920, 1080};
    EXPECT_EQ(Clamp(-3000, 10, screen).x, 0);  // the middle of the virtual screen
    EXPECT_EQ(Clamp(-1920, 10, screen).x, -1920);
    EXPECT_EQ(Clamp(-1500, 10, screen).x, -1500);
    EXPECT_EQ(Clamp(1920, 10, screen).x, 0);
    const RECT stacked = {0, -1080, 1920, 1080};
    EXPECT_EQ(Clamp(5, -2000, stacked).y, 0);
    EXPECT_EQ(Clamp(5, -1000, stacked).y, -1000);
    const RECT odd = {-1001, -7, 2000, 994};
    EXPECT_EQ(Clamp(-2000, -8, odd).x, -1001 + 3001 / 2);
    EXPECT_EQ(Clamp(-2000, -8, odd).y, -7 + 1001 / 2);
}

}  // namespace
}  // namespace Vorlune
