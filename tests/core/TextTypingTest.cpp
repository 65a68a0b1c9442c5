#include "core/TextTyping.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(TextTyping, EnterStartsANewLineAndBackspaceTakesTheLastCharacterBack) {
    TextTyping typing(0x0000FF, 3, {5, 6});
    for (wchar_t c : {L'a', L'b', L'\r', L'c', L'\b', L'\u3042'}) EXPECT_TRUE(typing.Type(c)) << int(c);
    EXPECT_EQ(typing.Typed().text, L"ab\n\u3042");
    EXPECT_EQ(typing.Typed().points, (std::vector<Point>{{5, 6}}));
}

TEST(TextTyping, ControlCharactersLeaveTheTextAsItWas) {
    TextTyping typing(0x0000FF, 3, {5, 6});
    for (wchar_t c : {L'\b', L'\x1B', L'\x03', L'\t', L'\x7F'}) EXPECT_FALSE(typing.Type(c)) << int(c);
    EXPECT_FALSE(typing.HasText());
}

}  // namespace
}  // namespace Vorlune
