#include "core/MarkEdits.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(MarkEdits, ABoxHasItsCornerHandlesOnItsCornerPoints) {
    const Mark box = {.kind = MarkKind::Rectangle, .points = {{40, 30}, {10, 20}}};
    EXPECT_EQ(HandlesOf(box, 6)[kHandleBottomRight], (Rect{38, 28, 44, 34}));
    EXPECT_EQ(HandleAt(box, {12, 22}, 6), kHandleTopLeft);
    EXPECT_EQ(HandleAt(box, {25, 25}, 6), std::nullopt);
}

TEST(MarkEdits, DraggingACornerPastTheOppositeOneKeepsTheBoxOrdered) {
    const Mark box = {.kind = MarkKind::Ellipse, .points = {{10, 20}, {40, 30}}};
    EXPECT_EQ(Resized(box, kHandleBottomRight, {5, 50}).points, (std::vector<Point>{{5, 20}, {10, 50}}));
}

TEST(MarkEdits, ResizingAPenStrokeScalesItsPointsIntoTheNewBox) {
    const Mark pen = {.kind = MarkKind::Pen, .points = {{10, 10}, {15, 30}, {20, 20}}};
    EXPECT_EQ(Resized(pen, kHandleRight, {40, 25}).points, (std::vector<Point>{{10, 10}, {25, 30}, {40, 20}}));
}

TEST(MarkEdits, MovingATextMovesItsBoundsToo) {
    const Mark text = {.kind = MarkKind::Text, .points = {{5, 6}}, .text = L"a\nb", .textBounds = {5, 6, 30, 40}};
    const Mark moved = Moved(text, {-3, 10});
    EXPECT_EQ(moved.points, (std::vector<Point>{{2, 16}}));
    EXPECT_EQ(moved.textBounds, (Rect{2, 16, 27, 50}));
}

TEST(MarkEdits, AStepHasNoHandleToResize) {
    const Mark step = {.kind = MarkKind::Step, .points = {{5, 6}}, .number = 1};
    EXPECT_TRUE(HandlesOf(step, 6).empty());
    EXPECT_EQ(Resized(step, kHandleTopLeft, {50, 60}), step);
}

}  // namespace
}  // namespace Vorlune
