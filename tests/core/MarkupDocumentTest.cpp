#include "core/MarkupDocument.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

const Mark kLine = {.kind = MarkKind::Line, .points = {{0, 0}, {9, 9}}};

TEST(MarkupHistory, UndoAndRedoStepAcrossACropAndADelete) {
    const MarkupDocument opened = {.image = {100, 80}, .marks = {kLine}};
    MarkupDocument cropped = opened;
    cropped.crop = Rect{5, 5, 50, 40};
    MarkupDocument deleted = cropped;
    deleted.marks.clear();
    MarkupHistory history(opened);
    history.Commit(cropped);
    history.Commit(deleted);
    EXPECT_EQ(history.Undo(), cropped);
    EXPECT_EQ(history.Undo(), opened);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Redo(), cropped);
    EXPECT_EQ(history.Redo(), deleted);
    EXPECT_FALSE(history.CanRedo());
}

TEST(MarkupHistory, ACommitAfterAnUndoDropsWhatCouldBeRedone) {
    const MarkupDocument opened = {.image = {100, 80}};
    MarkupHistory history(opened);
    history.Commit({.image = {100, 80}, .marks = {kLine}});
    history.Undo();
    const MarkupDocument cropped = {.image = {100, 80}, .crop = Rect{1, 1, 2, 2}};
    history.Commit(cropped);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Undo(), opened);
}

TEST(MarkupHistory, CommittingTheCurrentDocumentAgainAddsNoStep) {
    MarkupHistory history({.image = {100, 80}});
    history.Commit({.image = {100, 80}});
    EXPECT_FALSE(history.CanUndo());
}

TEST(MarkupDocument, ACropIsClampedToTheImageAndKeepsAPixel) {
    EXPECT_EQ(CropOf({90, 70}, {-20, 300}, {100, 80}), (Rect{0, 70, 91, 80}));
    EXPECT_EQ(CropOf({150, 10}, {120, 10}, {100, 80}), (Rect{99, 10, 100, 11}));
}

}  // namespace
}  // namespace Vorlune
