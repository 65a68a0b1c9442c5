#include "core/Marks.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

Mark Shape(MarkKind kind, Point a, Point b, int width) { return {.kind = kind, .width = width, .points = {a, b}}; }

Mark Step(int number) { return {.kind = MarkKind::Step, .points = {{10, 10}}, .number = number}; }

// An even width spreads its extra pixel below and right, as DrawLine draws it.
TEST(Marks, BoundsHoldHalfTheStrokeOnEachSide) {
    EXPECT_EQ(BoundsOf(Shape(MarkKind::Rectangle, {30, 40}, {10, 20}, 2)), (Rect{10, 20, 32, 42}));
    EXPECT_EQ(BoundsOf(Shape(MarkKind::Line, {10, 20}, {30, 40}, 5)), (Rect{8, 18, 33, 43}));
}

TEST(Marks, AClickOnARectanglesEdgeSelectsIt) {
    const std::vector<Mark> marks = {Shape(MarkKind::Rectangle, {10, 10}, {100, 60}, 4)};
    EXPECT_EQ(HitTest(marks, {55, 65}, 3), 0u);
    EXPECT_EQ(HitTest(marks, {55, 66}, 3), std::nullopt);
}

TEST(Marks, AClickInsideARectangleMissesIt) {
    EXPECT_EQ(HitTest({Shape(MarkKind::Rectangle, {10, 10}, {100, 60}, 4)}, {55, 35}, 3), std::nullopt);
}

TEST(Marks, AFilledRectangleIsHitAnywhereInside) {
    Mark filled = Shape(MarkKind::Rectangle, {10, 10}, {100, 60}, 4);
    filled.filled = true;
    EXPECT_EQ(HitTest({filled}, {55, 35}, 3), 0u);
}

// The box's corner lies outside the ellipse it holds.
TEST(Marks, AFilledEllipseIsHitInsideButNotInItsBoxsCorner) {
    Mark filled = Shape(MarkKind::Ellipse, {0, 0}, {200, 100}, 2);
    filled.filled = true;
    EXPECT_EQ(HitTest({filled}, {100, 50}, 1), 0u);
    EXPECT_EQ(HitTest({filled}, {20, 10}, 1), std::nullopt);
}

TEST(Marks, AClickOnAnEllipsesOutlineSelectsItButNotItsInside) {
    const std::vector<Mark> marks = {Shape(MarkKind::Ellipse, {0, 0}, {200, 100}, 2)};
    EXPECT_EQ(HitTest(marks, {100, 1}, 1), 0u);
    EXPECT_EQ(HitTest(marks, {100, 5}, 1), std::nullopt);
}

TEST(Marks, TheTopmostOfTwoOverlappingMarksIsHit) {
    const std::vector<Mark> marks = {Shape(MarkKind::Pixelate, {0, 0}, {50, 50}, 1),
                                     Shape(MarkKind::Line, {0, 25}, {50, 25}, 1)};
    EXPECT_EQ(HitTest(marks, {20, 25}, 2), 1u);
    EXPECT_EQ(HitTest(marks, {20, 40}, 2), 0u);
}

TEST(Marks, AnArrowHeadEndsExactlyAtTheArrowsEnd) {
    EXPECT_EQ(ArrowHead({0, 0}, {100, 0}, 3), (std::array<Point, 3>{{{100, 0}, {82, 9}, {82, -9}}}));
    EXPECT_EQ(ArrowHead({3, 7}, {-41, 90}, 8)[0], (Point{-41, 90}));
}

TEST(StepNumbers, TheFirstStepIsOne) { EXPECT_EQ(NextStepNumber({Shape(MarkKind::Line, {0, 0}, {5, 5}, 1)}), 1); }

TEST(StepNumbers, DeletingAMiddleStepLeavesTheNextOneAboveTheHighest) {
    EXPECT_EQ(NextStepNumber({Step(1), Step(3)}), 4);
}

TEST(StepNumbers, DeletingTheHighestStepGivesItsNumberAgain) { EXPECT_EQ(NextStepNumber({Step(1), Step(2)}), 3); }

}  // namespace
}  // namespace Vorlune
