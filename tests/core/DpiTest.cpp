#include "core/Dpi.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(Dpi, HalvesRoundAwayFromZeroAsMulDivRounds) {
    EXPECT_EQ(Scaled(1, 144), 2);
    EXPECT_EQ(Scaled(-1, 144), -2);
    EXPECT_EQ(Scaled(-3, 120), -4);
}

TEST(Dpi, RectanglesThatTouchStillTouch) {
    const Rect left = Scaled(Rect{3, 4, 45, 42}, 120);
    const Rect right = Scaled(Rect{45, 4, 90, 42}, 120);
    EXPECT_EQ(left.right, right.left);
}

TEST(Dpi, ALineIsNeverThinnerThanOnePixel) {
    EXPECT_EQ(LineWidth(72), 1);
    EXPECT_EQ(LineWidth(120), 1);
    EXPECT_EQ(LineWidth(144), 2);
    EXPECT_EQ(LineWidth(288), 3);
}

TEST(Dpi, PicturesOfTheNearestScaleAreDrawn) {
    struct Case {
        int dpi;
        int percent;
    };
    const Case cases[] = {{72, 100},  {96, 100},  {119, 100}, {120, 150}, {144, 150},
                          {167, 150}, {168, 200}, {192, 200}, {288, 200}};
    for (const Case& c : cases) EXPECT_EQ(PictureScale(c.dpi), c.percent) << c.dpi;
}

TEST(Dpi, AnAbsurdDpiIsTakenAs96) {
    EXPECT_EQ(SaneDpi(0), 96);
    EXPECT_EQ(SaneDpi(-144), 96);
    EXPECT_EQ(SaneDpi(100000), 96);
    EXPECT_EQ(SaneDpi(144), 144);
}

}  // namespace
}  // namespace Vorlune
