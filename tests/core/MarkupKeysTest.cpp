#include "core/MarkupKeys.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(MarkupKeys, ThePaletteIsRedThenTheOtherFifteenInTableOrder) {
    const Colour expected[kPaletteSize] = {0x0000FF, 0x000000, 0x000080, 0x008000, 0x008080, 0x800000,
                                           0x800080, 0x808000, 0x808080, 0xC0C0C0, 0x00FF00, 0x00FFFF,
                                           0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (int index = 0; index < kPaletteSize; ++index) EXPECT_EQ(PaletteColour(index), expected[index]) << index;
}

TEST(MarkupKeys, DigitKeysOneToNineThenZeroPickTheFirstTenColours) {
    EXPECT_EQ(PaletteIndexForKey(L'1'), 0);
    EXPECT_EQ(PaletteIndexForKey(L'9'), 8);
    EXPECT_EQ(PaletteIndexForKey(L'0'), 9);
    EXPECT_EQ(PaletteIndexForKey(L'a'), std::nullopt);
}

TEST(MarkupKeys, ToolKeysTakeEitherCase) {
    EXPECT_EQ(ToolForKey(L'v'), MarkupTool::Select);
    EXPECT_EQ(ToolForKey(L'N'), MarkupTool::Step);
    EXPECT_EQ(ToolForKey(L'm'), MarkupTool::Pixelate);
    EXPECT_EQ(ToolForKey(L'B'), MarkupTool::Blur);
    EXPECT_EQ(ToolForKey(L's'), MarkupTool::Spotlight);
    EXPECT_EQ(ToolForKey(L'x'), std::nullopt);
}

TEST(MarkupKeys, WidthsStepThroughTheTableAndStopAtItsEnds) {
    EXPECT_EQ(NextWidth(kDefaultWidth), 5);
    EXPECT_EQ(NextWidth(8), 8);
    EXPECT_EQ(PreviousWidth(kDefaultWidth), 2);
    EXPECT_EQ(PreviousWidth(1), 1);
}

}  // namespace
}  // namespace Vorlune
