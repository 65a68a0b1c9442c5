#include "core/Decimal.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(Decimal, TakesTheWholeRangeOfInt32) {
    EXPECT_EQ(ParseDecimal(L"-2147483648", Sign::MinusAllowed), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal(L"2147483647", Sign::MinusAllowed), 2147483647);
}

TEST(Decimal, RefusesAValuePastInt32) {
    for (const wchar_t* text : {L"2147483648", L"-2147483649", L"99999999999999999999"})
        EXPECT_EQ(ParseDecimal(text, Sign::MinusAllowed), std::nullopt) << text;
}

TEST(Decimal, RefusesAnythingButDigitsAfterAMinusSign) {
    for (const wchar_t* text : {L"", L"-", L"+5", L" 5", L"5 ", L"5x", L"--5", L"0x10", L"5-"})
        EXPECT_EQ(ParseDecimal(text, Sign::MinusAllowed), std::nullopt) << text;
}

}  // namespace
}  // namespace Vorlune
