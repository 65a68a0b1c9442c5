#include <gtest/gtest.h>

#include <array>

#include "Capture/RectangleGeometry.h"

namespace Vorlune {
namespace {

using Box = std::array<LONG, 4>;  // x, y, width, height
Box Of(const PickedArea& area) { return {area.position.x, area.position.y, area.size.cx, area.size.cy}; }

TEST(RectangleGeometry, BothCornersAreInsideTheAreaAndAreasAreClampedToTheSnapshot) {
    EXPECT_EQ(Of(AreaBetween({5, 7}, {5, 7})), (Box{5, 7, 1, 1}));
    // All four drag directions pick the same area.
    for (auto [a, b] : {std::pair<POINT, POINT>{{10, 20}, {13, 22}}, {{13, 22}, {10, 20}}, {{13, 20}, {10, 22}},
                        {{10, 22}, {13, 20}}})
        EXPECT_EQ(Of(AreaBetween(a, b)), (Box{10, 20, 4, 3}));
    EXPECT_EQ(Of(AreaBetween({0, 0}, {1919, 1079})), (Box{0, 0, 1920, 1080}));
    const SIZE screen = {1920, 1080};
    EXPECT_EQ(Of(ClampArea(AreaBetween({-5, -3}, {9, 9}), screen)), (Box{0, 0, 10, 10}));
    EXPECT_EQ(Of(ClampArea(AreaBetween({1910, 1070}, {2500, 1500}), screen)), (Box{1910, 1070, 10, 10}));
    EXPECT_EQ(Of(ClampArea(AreaBetween({3000, 10}, {3100, 20}), screen)), (Box{1920, 10, 0, 11}));
    EXPECT_EQ(Of(ClampArea(AreaBetween({100, 100}, {200, 150}), screen)), (Box{100, 100, 101, 51}));
}

TEST(ZoomPlacement, FollowsTheCursorWithHysteresisAtAllFourEdges) {
    const SIZE screen = {1920, 1080};
    ZoomPlacement zoom;
    const RECT r = zoom.Place({500, 400}, screen);
    EXPECT_EQ((Box{r.left, r.top, r.right, r.bottom}), (Box{550, 450, 850, 750}));
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
    EXPECT_EQ(ZoomPlacement{}.Place({300, 10}, {600, 1080}).left, -50);
}

// Leading blanks are skipped and trailing text ignored; a factor is never zero, and never so
// large that the source square vanishes.
TEST(Magnification, OfferedValuesAndFallbacks) {
    const std::pair<const wchar_t*, int> cases[] = {{L"3", 3},    {L" 7x", 7}, {L"", 10},   {L"abc", 10},  {L"0", 10},
                                                    {L"-4", 10},  {L"99999999999999", 10}, {L"300", 300}, {L"301", 300}};
    for (const auto& [text, factor] : cases) EXPECT_EQ(ParseMagnification(text), factor) << text;
    for (auto [factor, side] : {std::pair{3, 100}, {6, 50}, {10, 30}, {300, 1}}) EXPECT_EQ(ZoomSourceSide(factor), side);
}

}  // namespace
}  // namespace Vorlune
