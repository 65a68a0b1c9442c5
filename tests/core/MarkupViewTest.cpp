#include "core/MarkupView.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(MarkupView, ZoomStepsStopAt25And800) {
    EXPECT_EQ(ZoomIn(100), 125);
    EXPECT_EQ(ZoomOut(100), 75);
    EXPECT_EQ(ZoomIn(800), 800);
    EXPECT_EQ(ZoomOut(25), 25);
}

TEST(MarkupView, AnImageThatFitsOpensAt100) { EXPECT_EQ(FitZoom({800, 600}, {800, 600}), 100); }

TEST(MarkupView, ALargerImageOpensAtTheLargestPercentThatFits) {
    EXPECT_EQ(FitZoom({3000, 1000}, {1000, 900}), 33);
    EXPECT_EQ(ZoomedSize({3000, 1000}, 33), (Size{990, 330}));
    EXPECT_EQ(FitZoom({1000, 3000}, {1000, 900}), 30);
}

TEST(MarkupView, AHugeImageOpensAt25) { EXPECT_EQ(FitZoom({20000, 100}, {1000, 900}), 25); }

TEST(MarkupView, ImageAndClientPointsConvertWithZoomAndScroll) {
    EXPECT_EQ(ToClient({10, 20}, 200, {5, 7}), (Point{15, 33}));
    EXPECT_EQ(ToImage({15, 33}, 200, {5, 7}), (Point{10, 20}));
    EXPECT_EQ(ToImage({16, 34}, 200, {5, 7}), (Point{10, 20}));
    EXPECT_EQ(ToImage({-1, 0}, 400, {}), (Point{-1, 0}));
}

TEST(MarkupView, ZoomingKeepsThePointUnderTheCursor) {
    const Point scroll = ScrollToKeep({100, 50}, {30, 40}, 300);
    EXPECT_EQ(ToClient({100, 50}, 300, scroll), (Point{30, 40}));
}

TEST(MarkupView, ScrollStaysWithinTheContentAndCentresASmallerOne) {
    EXPECT_EQ(ClampScroll({900, -4}, {1000, 2000}, {300, 500}), (Point{700, 0}));
    EXPECT_EQ(ClampScroll({50, 50}, {200, 100}, {300, 500}), (Point{-50, -200}));
}

}  // namespace
}  // namespace Vorlune
