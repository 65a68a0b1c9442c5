#include "core/Geometry.h"

#include <gtest/gtest.h>

#include <utility>

namespace Vorlune {
namespace {

// Both corners lie inside the area.
TEST(Geometry, AllFourDragDirectionsPickTheSameArea) {
    for (auto [a, b] : {std::pair<Point, Point>{{10, 20}, {13, 22}},
                        {{13, 22}, {10, 20}},
                        {{13, 20}, {10, 22}},
                        {{10, 22}, {13, 20}}})
        EXPECT_EQ(AreaBetween(a, b), (Rect{10, 20, 14, 23}));
}

TEST(Geometry, AreasAreClampedToTheSnapshot) {
    const Size screen = {1920, 1080};
    EXPECT_EQ(ClampToSize(AreaBetween({-5, -3}, {9, 9}), screen), (Rect{0, 0, 10, 10}));
    EXPECT_EQ(ClampToSize(AreaBetween({1910, 1070}, {2500, 1500}), screen), (Rect{1910, 1070, 1920, 1080}));
    EXPECT_FALSE(HasArea(ClampToSize(AreaBetween({3000, 10}, {3100, 20}), screen)));
}

// The frame's right and bottom edges are drawn inside it; lines off the snapshot are left out.
TEST(Geometry, AUnionHoldsBothButIgnoresAnEmptyRectangle) {
    EXPECT_EQ(Union({5, 5, 8, 9}, {2, 6, 6, 12}), (Rect{2, 5, 8, 12}));
    EXPECT_EQ(Union({5, 5, 5, 9}, {2, 6, 6, 12}), (Rect{2, 6, 6, 12}));
    EXPECT_EQ(Union({5, 5, 8, 9}, {0, 0, 0, 0}), (Rect{5, 5, 8, 9}));
}

TEST(Geometry, FrameLinesAreClippedToTheSnapshot) {
    std::vector<Rect> lines;
    AddFrameLines(lines, {-10, 5, 20, 8}, {100, 100});
    EXPECT_EQ(lines, (std::vector<Rect>{{0, 5, 21, 6}, {0, 8, 21, 9}, {20, 6, 21, 8}}));
}

// A wide frame's bands grow inward; one too small for them is covered whole, and no further.
TEST(Geometry, WideFrameBandsStayInsideTheFrame) {
    std::vector<Rect> wide;
    AddFrameLines(wide, {10, 10, 29, 19}, {100, 100}, 3);
    EXPECT_EQ(wide, (std::vector<Rect>{{10, 10, 30, 13}, {10, 17, 30, 20}, {10, 13, 13, 17}, {27, 13, 30, 17}}));
    std::vector<Rect> small;
    AddFrameLines(small, {10, 10, 11, 11}, {100, 100}, 3);
    EXPECT_EQ(small, (std::vector<Rect>{{10, 10, 12, 12}}));
}

// Only a coordinate outside the screen, or on its right or bottom edge, moves to the middle.
TEST(Geometry, AStoredPositionOffTheScreenMovesToItsMiddle) {
    const Rect screen = {-1920, 0, 1920, 1080};
    EXPECT_EQ(ClampToVirtualScreen({-1920, 1079}, screen), (Point{-1920, 1079}));
    EXPECT_EQ(ClampToVirtualScreen({1920, 1080}, screen), (Point{0, 540}));
    EXPECT_EQ(ClampToVirtualScreen({-1921, 500}, screen), (Point{0, 500}));
}

}  // namespace
}  // namespace Vorlune
