#include "core/PinView.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(PinView, TheZoomStepsByTenPerNotchAndHoldsAtTenAndEightHundred) {
    EXPECT_EQ(PinZoomAfter(100, 1), 110);
    EXPECT_EQ(PinZoomAfter(100, -3), 70);
    EXPECT_EQ(PinZoomAfter(20, -5), 10);
    EXPECT_EQ(PinZoomAfter(790, 4), 800);
}

TEST(PinView, TheZoomHoldsAtALimitUnderEightHundred) {
    EXPECT_EQ(PinZoomAfter(190, 3, 200), 200);
    EXPECT_EQ(PinZoomAfter(200, -1, 200), 190);
}

TEST(PinView, TheZoomLimitKeepsTheImageWithinTwiceTheScreenInWholeSteps) {
    EXPECT_EQ(PinZoomLimit({1920, 1080}, {1920, 1080}), 200);
    EXPECT_EQ(PinZoomLimit({700, 100}, {1920, 1080}), 540);  // 548 % rounded down
    EXPECT_EQ(PinZoomLimit({200, 100}, {1920, 1080}), 800);
    EXPECT_EQ(PinZoomLimit({5000, 10}, {1920, 1080}), 100);
}

TEST(PinView, TheOpacityStepsByTenPerNotchAndHoldsAtTwentyAndFull) {
    EXPECT_EQ(PinOpacityAfter(100, -1), 90);
    EXPECT_EQ(PinOpacityAfter(30, -2), 20);
    EXPECT_EQ(PinOpacityAfter(90, 3), 100);
}

TEST(PinView, TheAlphaIsTheOpacitysShareOf255Rounded) {
    EXPECT_EQ(PinAlpha(100), 255);
    EXPECT_EQ(PinAlpha(90), 230);
    EXPECT_EQ(PinAlpha(20), 51);
}

TEST(PinView, ZoomingKeepsTheImagePointUnderTheCursor) {
    EXPECT_EQ(ZoomAbout({100, 200}, {150, 220}, 100, 110), (Point{95, 198}));
    EXPECT_EQ(ZoomAbout({95, 198}, {150, 220}, 110, 100), (Point{100, 200}));
}

TEST(PinView, ACursorLeftOfTheImageKeepsItsDistanceScaledAlike) {
    EXPECT_EQ(ZoomAbout({100, 100}, {95, 95}, 100, 150), (Point{103, 103}));
}

TEST(WheelNotches, PartTurnsAddUpToWholeNotchesInEitherDirection) {
    WheelNotches wheel;
    EXPECT_EQ(wheel.Add(60), 0);
    EXPECT_EQ(wheel.Add(60), 1);
    EXPECT_EQ(wheel.Add(-300), -2);
    EXPECT_EQ(wheel.Add(-60), -1);
}

}  // namespace
}  // namespace Vorlune
