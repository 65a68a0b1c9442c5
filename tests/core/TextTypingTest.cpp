#include "core/TextTyping.h"

#include <gtest/gtest.h>

#include "FixedFont.h"

namespace Vorlune {
namespace {

const FixedFont kFont;
constexpr Size kImage = {400, 300};

Mark Text(std::wstring text, Point at = {5, 6}) { return {.kind = MarkKind::Text, .points = {at}, .text = text}; }

TEST(TextTyping, EnterStartsANewLineAndBackspaceTakesTheLastCharacterBack) {
    TextTyping typing(Text(L""), kImage, kFont);
    for (wchar_t c : {L'a', L'b', L'\r', L'c', L'\b', L'\u3042'}) EXPECT_TRUE(typing.Type(c)) << int(c);
    EXPECT_EQ(typing.Typed().text, L"ab\n\u3042");
    EXPECT_EQ(typing.Typed().textBounds, (Rect{5, 6, 25, 46}));
}

TEST(TextTyping, ControlCharactersLeaveTheTextAsItWas) {
    TextTyping typing(Text(L""), kImage, kFont);
    for (wchar_t c : {L'\b', L'\x1B', L'\x03', L'\t', L'\x7F'}) EXPECT_FALSE(typing.Type(c)) << int(c);
    EXPECT_FALSE(typing.HasText());
}

TEST(TextTyping, CharactersGoInAtTheCaretMovedBack) {
    TextTyping typing(Text(L"Hllo"), kImage, kFont);
    for (int i = 0; i < 3; ++i) typing.Press(CaretKey::Left);
    typing.Type(L'e');
    EXPECT_EQ(typing.Typed().text, L"Hello");
    EXPECT_EQ(typing.Caret(), (Rect{25, 6, 26, 26}));
}

TEST(TextTyping, BackspaceAndDeleteTakeTheCharactersBeforeAndAfterTheCaret) {
    TextTyping typing(Text(L"abcd"), kImage, kFont);
    typing.Press(CaretKey::Left);
    typing.Press(CaretKey::Left);
    typing.Type(L'\b');
    typing.Press(CaretKey::Delete);
    EXPECT_EQ(typing.Typed().text, L"ad");
    EXPECT_EQ(typing.CaretIndex(), 1u);
}

TEST(TextTyping, HomeAndEndGoToTheEndsOfTheCaretsLine) {
    TextTyping typing(Text(L"one\ntwo\nsix"), kImage, kFont);
    typing.Press(CaretKey::Up);
    typing.Press(CaretKey::Home);
    EXPECT_EQ(typing.CaretIndex(), 4u);
    typing.Press(CaretKey::End);
    EXPECT_EQ(typing.CaretIndex(), 7u);
}

// From the end of "abcdef", two lines down to the nearest place on "xy", then up to column 2.
TEST(TextTyping, UpAndDownKeepTheCaretNearestItsPlaceAcross) {
    TextTyping typing(Text(L"abcdef\n\nxy"), kImage, kFont);
    typing.Press(CaretKey::Up);
    typing.Press(CaretKey::Up);
    EXPECT_EQ(typing.CaretIndex(), 2u);
    EXPECT_FALSE(typing.Press(CaretKey::Up));
    typing.Press(CaretKey::Down);
    EXPECT_EQ(typing.CaretIndex(), 7u);
}

TEST(TextTyping, TheCaretStepsOverASurrogatePairWhole) {
    TextTyping typing(Text(L"a\U0001F600"), kImage, kFont);
    typing.Press(CaretKey::Left);
    EXPECT_EQ(typing.CaretIndex(), 1u);
    typing.Press(CaretKey::Right);
    typing.Type(L'\b');
    EXPECT_EQ(typing.Typed().text, L"a");
}

// Ten pixels a character: at x = 370 the fourth letter would pass the image's right edge.
TEST(TextTyping, ATextThatWouldPassTheImagesEdgeMovesBackInside) {
    TextTyping typing(Text(L"", {370, 290}), kImage, kFont);
    for (wchar_t c : std::wstring(L"abcd")) typing.Type(c);
    EXPECT_EQ(typing.Typed().textBounds, (Rect{360, 280, 400, 300}));
}

}  // namespace
}  // namespace Vorlune
