#include "core/MarkupEditor.h"

#include <gtest/gtest.h>

#include "FixedFont.h"

namespace Vorlune {
namespace {

constexpr Size kImage = {120, 80};
constexpr int kHandle = 6;
const FixedFont kFont;

class MarkupEditorTest : public testing::Test {
protected:
    void Drag(Point from, Point to) {
        editor_.Press(from, kHandle);
        editor_.MoveTo({(from.x + to.x) / 2, (from.y + to.y) / 2});
        editor_.Release(to);
    }
    void Click(Point at) {
        editor_.Press(at, kHandle);
        editor_.Release(at);
    }
    void Type(const std::wstring& text) {
        for (wchar_t c : text) editor_.Character(c, false);
    }
    // The text tool, a click and the text typed, ended with Escape.
    void PlaceText(Point at, const std::wstring& text) {
        editor_.Character(L'T', true);
        Click(at);
        Type(text);
        editor_.Key(EditorKey::Escape);
    }
    // A rectangle from (10, 10) to (30, 30), selected by a click on its left edge.
    void DrawAndSelect() {
        Drag({10, 10}, {30, 30});
        editor_.Character(L'v', false);
        Click({10, 20});
    }
    // With the select tool, a double click.
    void EditAgain(Point at) {
        editor_.Character(L'v', false);
        Click(at);
        editor_.DoublePress(at, kHandle);
        editor_.Release(at);
    }
    const std::vector<Mark>& Marks() const { return editor_.Document().marks; }

    MarkupEditor editor_{kImage, kFont};
};

TEST_F(MarkupEditorTest, ADragDrawsARectangleInRedThreeWideFromPressToRelease) {
    Drag({10, 20}, {40, 50});
    ASSERT_EQ(Marks().size(), 1u);
    EXPECT_EQ(Marks()[0], (Mark{MarkKind::Rectangle, PaletteColour(0), 3, {{10, 20}, {40, 50}}}));
    EXPECT_FALSE(editor_.Dragging());
}

TEST_F(MarkupEditorTest, TheMarkBeingDrawnShowsOnTopBeforeItIsKept) {
    Drag({10, 20}, {40, 50});
    editor_.Character(L'l', false);
    editor_.Press({5, 5}, kHandle);
    editor_.MoveTo({30, 5});
    ASSERT_EQ(editor_.Shown().size(), 2u);
    EXPECT_EQ(editor_.Shown()[1]->kind, MarkKind::Line);
    EXPECT_EQ(Marks().size(), 1u);
}

TEST_F(MarkupEditorTest, ADragThatLosesThePointerKeepsNothing) {
    editor_.Press({10, 20}, kHandle);
    editor_.MoveTo({40, 50});
    editor_.DropDrag();
    editor_.Release({40, 50});
    EXPECT_TRUE(Marks().empty());
}

TEST_F(MarkupEditorTest, TheSelectToolMovesAMarkByItsEdgeAndResizesItByItsHandle) {
    Drag({10, 10}, {30, 30});
    editor_.Character(L'v', false);
    Drag({10, 15}, {50, 15});
    EXPECT_EQ(Marks()[0].points, (std::vector<Point>{{50, 10}, {70, 30}}));
    Drag({70, 30}, {90, 50});
    EXPECT_EQ(Marks()[0].points, (std::vector<Point>{{50, 10}, {90, 50}}));
}

TEST_F(MarkupEditorTest, DeleteRemovesTheSelectedMark) {
    DrawAndSelect();
    editor_.Key(EditorKey::Delete);
    EXPECT_TRUE(Marks().empty());
}

TEST_F(MarkupEditorTest, AColourPickedWhileAMarkIsSelectedRecoloursIt) {
    DrawAndSelect();
    editor_.Character(L'3', false);
    EXPECT_EQ(Marks()[0].colour, PaletteColour(2));
}

TEST_F(MarkupEditorTest, ArrowKeysNudgeTheSelectedMarkByOnePixelOrTenWithShift) {
    DrawAndSelect();
    editor_.Key(EditorKey::Right);
    editor_.Key(EditorKey::Down, true);
    EXPECT_EQ(Marks()[0].points, (std::vector<Point>{{11, 20}, {31, 40}}));
    editor_.Key(EditorKey::Undo);
    EXPECT_EQ(Marks()[0].points, (std::vector<Point>{{11, 10}, {31, 30}}));
}

TEST_F(MarkupEditorTest, CtrlDPutsASelectedCopyBesideTheMark) {
    DrawAndSelect();
    editor_.Key(EditorKey::Duplicate);
    ASSERT_EQ(Marks().size(), 2u);
    EXPECT_EQ(Marks()[1].points, (std::vector<Point>{{20, 20}, {40, 40}}));
    EXPECT_EQ(editor_.Selected(), &Marks()[1]);
}

TEST_F(MarkupEditorTest, UndoAndRedoStepThroughTheMarksDrawn) {
    Drag({10, 10}, {30, 30});
    Drag({60, 10}, {90, 30});
    editor_.Key(EditorKey::Undo);
    editor_.Key(EditorKey::Undo);
    editor_.Key(EditorKey::Redo);
    ASSERT_EQ(Marks().size(), 1u);
    EXPECT_EQ(Marks()[0].points.front(), (Point{10, 10}));
}

TEST_F(MarkupEditorTest, ACropDraggedIsTheOutputOnceEnterAppliesIt) {
    editor_.Character(L'c', false);
    Drag({10, 10}, {59, 39});
    EXPECT_EQ(editor_.Key(EditorKey::Enter), EditorCommand::None);
    EXPECT_EQ(OutputArea(editor_.Document()), (Rect{10, 10, 60, 40}));
    EXPECT_EQ(editor_.Key(EditorKey::Enter), EditorCommand::Output);
}

TEST_F(MarkupEditorTest, EscapeDropsACropDraggedAndThenCloses) {
    editor_.Character(L'c', false);
    Drag({10, 10}, {59, 39});
    EXPECT_EQ(editor_.Key(EditorKey::Escape), EditorCommand::None);
    EXPECT_EQ(editor_.PendingCrop(), std::nullopt);
    EXPECT_EQ(editor_.Key(EditorKey::Escape), EditorCommand::Close);
}

// F pins as it always did; with Shift it is another key.
TEST_F(MarkupEditorTest, FPinsWithOrWithoutCapsLockButNotWithShift) {
    EXPECT_EQ(editor_.Character(L'f', false), EditorCommand::Pin);
    EXPECT_EQ(editor_.Character(L'F', false), EditorCommand::Pin);
    EXPECT_NE(editor_.Character(L'F', true), EditorCommand::Pin);
}

TEST_F(MarkupEditorTest, ShiftFFillsTheRectanglesDrawnFromThenOn) {
    editor_.Character(L'F', true);
    Drag({10, 10}, {30, 30});
    EXPECT_TRUE(editor_.Filled());
    EXPECT_TRUE(Marks()[0].filled);
}

TEST_F(MarkupEditorTest, TheFillToggledWhileAnEllipseIsSelectedFillsIt) {
    editor_.Character(L'e', false);
    Drag({10, 10}, {50, 30});
    editor_.Character(L'v', false);
    Click({10, 20});
    editor_.Pick({.fill = true});
    EXPECT_TRUE(Marks()[0].filled);
}

TEST_F(MarkupEditorTest, WithTheFillOnTheHighlighterDrawsABoxFromPressToRelease) {
    editor_.Character(L'F', true);
    editor_.Character(L'h', false);
    Drag({10, 10}, {40, 30});
    EXPECT_EQ(Marks()[0].points, (std::vector<Point>{{10, 10}, {40, 30}}));
    EXPECT_EQ(BoundsOf(Marks()[0]), (Rect{10, 10, 41, 31}));
}

// The first hole dims all around it; another hole changes only where it lies.
TEST_F(MarkupEditorTest, OnlyTheFirstSpotlightChangesTheWholeImage) {
    editor_.Character(L's', false);
    editor_.TakeChanges();
    editor_.Press({10, 10}, kHandle);
    EXPECT_TRUE(editor_.TakeChanges().everything);
    editor_.Release({30, 30});
    editor_.TakeChanges();
    Drag({50, 10}, {70, 30});
    const EditorChanges second = editor_.TakeChanges();
    EXPECT_FALSE(second.everything);
    EXPECT_EQ(second.composed, (Rect{50, 10, 71, 31}));
}

// A box four pixels past the lines at width 3, whose text is 24 pixels high.
TEST_F(MarkupEditorTest, WithTheFillOnATextIsBoxedAndItsBoundsHoldTheBox) {
    editor_.Character(L'F', true);
    PlaceText({10, 10}, L"Hi");
    EXPECT_TRUE(Marks()[0].filled);
    EXPECT_EQ(BoundsOf(Marks()[0]), (Rect{6, 6, 34, 34}));
}

TEST_F(MarkupEditorTest, EveryLetterShowsInTheTextAsItIsTyped) {
    editor_.Character(L't', false);
    Click({10, 10});
    Type(L"Hi");
    ASSERT_EQ(editor_.Shown().size(), 1u);
    EXPECT_EQ(editor_.Shown()[0]->text, L"Hi");
    EXPECT_EQ(editor_.Shown()[0]->textBounds, (Rect{10, 10, 30, 30}));
}

// While a text is typed, every key is the text's: these would otherwise pick tools and pin.
TEST_F(MarkupEditorTest, KeysWhileTypingAreTheTexts) {
    PlaceText({10, 10}, L"pen f\rnew");
    ASSERT_EQ(Marks().size(), 1u);
    EXPECT_EQ(Marks()[0].text, L"pen f\nnew");
    EXPECT_EQ(editor_.Tool(), MarkupTool::Text);
}

TEST_F(MarkupEditorTest, TheStripRestylesTheTextBeingTypedAndTypingGoesOn) {
    editor_.Character(L't', false);
    Click({10, 10});
    Type(L"a");
    editor_.Pick({.colourIndex = 2});
    editor_.Pick({.width = 5});
    Type(L"b");
    editor_.Key(EditorKey::Escape);
    ASSERT_EQ(Marks().size(), 1u);
    EXPECT_EQ(Marks()[0].text, L"ab");
    EXPECT_EQ(Marks()[0].colour, PaletteColour(2));
    EXPECT_EQ(Marks()[0].width, 5);
}

TEST_F(MarkupEditorTest, AColourPickedWhileATextIsEditedAgainChangesOnlyTheEdit) {
    PlaceText({10, 10}, L"Hi");
    EditAgain({15, 15});
    editor_.Pick({.colourIndex = 2});
    editor_.Key(EditorKey::Escape);
    EXPECT_EQ(Marks()[0].colour, PaletteColour(2));
    editor_.Key(EditorKey::Undo);
    EXPECT_EQ(Marks()[0].colour, PaletteColour(0));
}

TEST_F(MarkupEditorTest, ATextEndedEmptyLeavesNoMark) {
    PlaceText({10, 10}, L"");
    EXPECT_TRUE(Marks().empty());
    EXPECT_FALSE(editor_.HasChanges());
}

TEST_F(MarkupEditorTest, AFinishedTextDoubleClickedIsEditedAgainInItsPlace) {
    PlaceText({10, 10}, L"Hello");
    editor_.Character(L'r', false);
    Drag({60, 60}, {70, 70});
    EditAgain({20, 15});
    editor_.Key(EditorKey::Home);
    Type(L"Oh, ");
    editor_.Press({100, 5}, kHandle);
    ASSERT_EQ(Marks().size(), 2u);
    EXPECT_EQ(Marks()[0].text, L"Oh, Hello");
    EXPECT_EQ(Marks()[0].textBounds, (Rect{10, 10, 100, 30}));
}

TEST_F(MarkupEditorTest, EnterOnASelectedTextEditsItAndOutputsNothing) {
    PlaceText({10, 10}, L"Hello");
    editor_.Character(L'v', false);
    Click({20, 15});
    EXPECT_EQ(editor_.Key(EditorKey::Enter), EditorCommand::None);
    editor_.Character(L'\r', false);
    Type(L"!");
    editor_.Key(EditorKey::Escape);
    EXPECT_EQ(Marks()[0].text, L"Hello!");
}

TEST_F(MarkupEditorTest, UndoAfterATextIsEditedBringsBackItsFormerText) {
    PlaceText({10, 10}, L"Hello");
    EditAgain({20, 15});
    editor_.Character(L'\b', false);
    editor_.Key(EditorKey::Escape);
    ASSERT_EQ(Marks()[0].text, L"Hell");
    editor_.Key(EditorKey::Undo);
    EXPECT_EQ(Marks()[0].text, L"Hello");
}

TEST_F(MarkupEditorTest, ATextEditedToNothingIsRemoved) {
    PlaceText({10, 10}, L"Hi");
    EditAgain({15, 15});
    Type(L"\b\b");
    editor_.Key(EditorKey::Escape);
    EXPECT_TRUE(Marks().empty());
}

// "Hello world" begun in the grey margin left of the image came out as "o world".
TEST_F(MarkupEditorTest, ATextBegunBesideTheImageStartsAtItsEdge) {
    PlaceText({-40, 10}, L"Hello world");
    EXPECT_EQ(Marks()[0].textBounds, (Rect{0, 10, 110, 30}));
}

// A badge 32 pixels across at width 3.
TEST_F(MarkupEditorTest, AStepBadgePlacedBesideTheImageLiesWhollyInside) {
    editor_.Character(L'n', false);
    Click({130, -5});
    EXPECT_EQ(BoundsOf(Marks()[0]), (Rect{88, 0, 120, 32}));
}

TEST_F(MarkupEditorTest, AShapeBegunBesideTheImageHasItsWholeStrokeInside) {
    Drag({-20, 10}, {30, 90});
    EXPECT_EQ(BoundsOf(Marks()[0]), (Rect{0, 9, 32, 80}));
}

}  // namespace
}  // namespace Vorlune
