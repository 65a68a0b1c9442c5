#include "core/ArgumentQuoting.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(ArgumentQuoting, EveryArgumentSurvivesARoundTrip) {
    const std::vector<std::wstring> args = {L"rectangle",
                                            L"--file",
                                            LR"(C:\My Shots\a.png)",
                                            L"",
                                            LR"(say "hi")",
                                            LR"(trailing\)",
                                            LR"(C:\with space\)",
                                            LR"(\\server\share)",
                                            LR"(a\"b)",
                                            L"tab\there",
                                            LR"(")",
                                            LR"(\\")"};
    EXPECT_EQ(SplitArguments(JoinArguments(args)), args);
}

// Backslashes count only before a quote: 2n give n and the quote opens or closes, 2n + 1 give
// n and a quote.
TEST(ArgumentQuoting, SplitFollowsTheBackslashAndQuoteRules) {
    struct Line {
        const wchar_t* line;
        std::vector<std::wstring> args;
    } lines[] = {{L" \"abc\" d\te ", {L"abc", L"d", L"e"}},
                 {LR"(a\\\b d"e f"g h)", {LR"(a\\\b)", L"de fg", L"h"}},
                 {LR"(a\\\"b c d)", {LR"(a\"b)", L"c", L"d"}},
                 {LR"(a\\\\"b c" d e)", {LR"(a\\b c)", L"d", L"e"}}};
    for (const Line& l : lines) EXPECT_EQ(SplitArguments(l.line), l.args) << l.line;
}

}  // namespace
}  // namespace Vorlune
