#include <gtest/gtest.h>

#include "Capture/RectangleGeometry.h"

namespace Vorlune {
namespace {

void ExpectArea(const PickedArea& area, LONG x, LONG y, LONG cx, LONG cy) {
    EXPECT_EQ(area.position.x, x);
    EXPECT_EQ(area.position.y, y);
    EXPECT_EQ(area.size.cx, cx);
    EXPECT_EQ(area.size.cy, cy);
}

TEST(RectangleGeometry, BothCornersAreInsideTheArea) {
    ExpectArea(AreaBetween({5, 7}, {5, 7}), 5, 7, 1, 1);
    // All four drag directions pick the same area.
    for (auto [a, b] : {std::pair<POINT, POINT>{{10, 20}, {13, 22}}, {{13, 22}, {10, 20}}, {{13, 20}, {10, 22}},
                        {{10, 22}, {13, 20}}})
        ExpectArea(AreaBetween(a, b), 10, 20, 4, 3);
    ExpectArea(AreaBetween({0, 0}, {1919, 1079}), 0, 0, 1920, 1080);
}

TEST(RectangleGeometry, AreasAreClampedToTheSnapshot) {
    const SIZE screen = {1920, 1080};
    ExpectArea(ClampArea(AreaBetween({-5, -3}, {9, 9}), screen), 0, 0, 10, 10);
    ExpectArea(ClampArea(AreaBetween({1910, 1070}, {2500, 1500}), screen), 1910, 1070, 10, 10);
    ExpectArea(ClampArea(AreaBetween({3000, 10}, {3100, 20}), screen), 1920, 10, 0, 11);
    ExpectArea(ClampArea(AreaBetween({100, 100}, {200, 150}), screen), 100, 100, 101, 51);
}

TEST(ZoomPlacement, FollowsTheCursorWithHysteresisAtAllFourEdges) {
    const SIZE screen = {1920, 1080};
    ZoomPlacement zoom;
    RECT r = zoom.Place({500, 400}, screen);
    EXPECT_EQ(r.left, 550);
    EXPECT_EQ(r.top, 450);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 300);
    // Within 350 of the right edge it jumps to the left, and stays there on the way back.
    EXPECT_EQ(zoom.Place({1570, 400}, screen).left, 1620);
    EXPECT_EQ(zoom.Place({1571, 400}, screen).left, 1221);
    EXPECT_TRUE(zoom.OnLeft());
    EXPECT_EQ(zoom.Place({800, 400}, screen).left, 450);
    EXPECT_EQ(zoom.Place({351, 400}, screen).left, 1);
    EXPECT_EQ(zoom.Place({350, 400}, screen).left, 400);
    EXPECT_FALSE(zoom.OnLeft());
    // The same vertically.
    EXPECT_EQ(zoom.Place({500, 730}, screen).top, 780);
    EXPECT_EQ(zoom.Place({500, 731}, screen).top, 381);
    EXPECT_TRUE(zoom.Above());
    EXPECT_EQ(zoom.Place({500, 351}, screen).top, 1);
    EXPECT_EQ(zoom.Place({500, 350}, screen).top, 400);
    EXPECT_FALSE(zoom.Above());
    // A screen narrower than both distances: the far side wins.
    ZoomPlacement narrow;
    EXPECT_EQ(narrow.Place({300, 10}, {600, 1080}).left, -50);
}

TEST(Magnification, OfferedValuesAndFallbacks) {
    EXPECT_EQ(ParseMagnification(L"3"), 3);
    EXPECT_EQ(ParseMagnification(L"6"), 6);
    EXPECT_EQ(ParseMagnification(L"10"), 10);
    EXPECT_EQ(ZoomSourceSide(3), 100);
    EXPECT_EQ(ZoomSourceSide(6), 50);
    EXPECT_EQ(ZoomSourceSide(10), 30);
    EXPECT_EQ(ParseMagnification(L" 7x"), 7) << "leading blanks skipped, trailing text ignored";
    for (const wchar_t* bad : {L"", L"abc", L"0", L"-4", L"99999999999999"})
        EXPECT_EQ(ParseMagnification(bad), 10) << bad;
    EXPECT_EQ(ParseMagnification(L"300"), 300);
    EXPECT_EQ(ParseMagnification(L"301"), 300);
    EXPECT_EQ(ZoomSourceSide(ParseMagnification(L"100000")), 1);
}

}  // namespace
}  // namespace Vorlune
