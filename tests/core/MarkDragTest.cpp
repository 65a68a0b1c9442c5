#include "core/MarkDrag.h"

#include "core/MarkEdits.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vorlune {
namespace {

constexpr MarkStyle kRedThree = {0x0000FF, 3};

TEST(MarkDrag, ABoxRunsFromThePressToTheLastPoint) {
    MarkDrag drag(MarkKind::Rectangle, kRedThree, {10, 20});
    drag.MoveTo({15, 22});
    drag.MoveTo({30, 5});
    EXPECT_EQ(drag.Drawn().points, (std::vector<Point>{{10, 20}, {30, 5}}));
    EXPECT_EQ(drag.Drawn().colour, 0x0000FFu);
    EXPECT_EQ(drag.Drawn().width, 3);
}

TEST(MarkDrag, AStrokeKeepsEveryPointOnceInTurn) {
    MarkDrag drag(MarkKind::Pen, kRedThree, {1, 1});
    for (Point point : {Point{2, 1}, Point{2, 1}, Point{3, 4}, Point{2, 1}}) drag.MoveTo(point);
    EXPECT_EQ(drag.Drawn().points, (std::vector<Point>{{1, 1}, {2, 1}, {3, 4}, {2, 1}}));
}

TEST(MarkDrag, AClickKeepsADotButNoLineOrBox) {
    EXPECT_TRUE(MarkDrag(MarkKind::Highlighter, kRedThree, {4, 4}).Kept());
    MarkDrag line(MarkKind::Line, kRedThree, {4, 4});
    line.MoveTo({9, 4});
    line.MoveTo({4, 4});
    EXPECT_FALSE(line.Kept());
    line.MoveTo({4, 5});
    EXPECT_TRUE(line.Kept());
}

TEST(MarkDrag, OnlyTheDrawingToolsDrawByDragging) {
    EXPECT_EQ(DrawnKind(MarkupTool::Arrow), MarkKind::Arrow);
    EXPECT_EQ(DrawnKind(MarkupTool::Pixelate), MarkKind::Pixelate);
    for (MarkupTool tool : {MarkupTool::Select, MarkupTool::Text, MarkupTool::Step, MarkupTool::Crop})
        EXPECT_EQ(DrawnKind(tool), std::nullopt);
}

Mark Box(Point low, Point high) { return {MarkKind::Rectangle, 0x0000FF, 3, {low, high}}; }

// Each move counts from the press, not from the move before.
TEST(EditDrag, WithoutAHandleTheMarkFollowsThePointer) {
    EditDrag drag(Box({10, 10}, {20, 30}), std::nullopt, {15, 15});
    drag.MoveTo({18, 11});
    drag.MoveTo({25, 5});
    EXPECT_EQ(drag.Edited().points, (std::vector<Point>{{20, 0}, {30, 20}}));
}

TEST(EditDrag, AHandleDragsItsCornerAndLeavesTheOtherWhereItWas) {
    EditDrag drag(Box({10, 10}, {20, 30}), kHandleBottomRight, {20, 30});
    drag.MoveTo({40, 35});
    EXPECT_EQ(drag.Edited().points, (std::vector<Point>{{10, 10}, {40, 35}}));
}

}  // namespace
}  // namespace Vorlune
