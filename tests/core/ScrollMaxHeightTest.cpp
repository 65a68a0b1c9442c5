#include "core/ScrollMaxHeight.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(ScrollMaxHeight, AStoredNumberIsHeldWithinTheRange) {
    struct Stored {
        const wchar_t* text;
        int limit;
    } stored[] = {{L"1000", 1000}, {L"45000", 45000}, {L"1000000", 1000000}, {L"999", 1000},
                  {L"0", 1000},    {L"-30000", 1000}, {L"1000001", 1000000}, {L"2147483647", 1000000}};
    for (const Stored& s : stored) EXPECT_EQ(ParseScrollMaxHeight(s.text), s.limit) << s.text;
}

TEST(ScrollMaxHeight, StoredTextThatReadsAsNoIntGivesTheDefault) {
    for (const wchar_t* text : {L"", L"tall", L"12px", L"+5000", L"99999999999"})
        EXPECT_EQ(ParseScrollMaxHeight(text), 30000) << text;
}

TEST(ScrollMaxHeight, ATypedLimitOutsideTheRangeIsRefused) {
    EXPECT_EQ(TypedScrollMaxHeight(L"1000"), 1000);
    EXPECT_EQ(TypedScrollMaxHeight(L"1000000"), 1000000);
    for (const wchar_t* text : {L"", L"999", L"1000001", L"-5000", L"20 000", L"99999999999"})
        EXPECT_EQ(TypedScrollMaxHeight(text), std::nullopt) << text;
}

}  // namespace
}  // namespace Vorlune
