#include "core/ZoomPlacement.h"

#include <gtest/gtest.h>

#include <utility>

namespace Vorlune {
namespace {

TEST(ZoomPlacement, FollowsTheCursorWithHysteresisAtAllFourEdges) {
    const Size screen = {1920, 1080};
    ZoomPlacement zoom;
    EXPECT_EQ(zoom.Place({500, 400}, screen), (Rect{550, 450, 850, 750}));
    // Within 350 of the right edge it jumps to the left, and stays there on the way back.
    EXPECT_EQ(zoom.Place({1570, 400}, screen).left, 1620);
    EXPECT_EQ(zoom.Place({1571, 400}, screen).left, 1221);
    EXPECT_EQ(zoom.Place({351, 400}, screen).left, 1);
    EXPECT_EQ(zoom.Place({350, 400}, screen).left, 400);
    // The same vertically, on a side of its own.
    EXPECT_EQ(zoom.Place({500, 731}, screen).top, 381);
    EXPECT_EQ(zoom.Place({500, 731}, screen).left, 550);
    // A screen narrower than both distances: the far side wins.
    EXPECT_EQ(ZoomPlacement{}.Place({300, 10}, {600, 1080}).left, -50);
}

// At 150 % the window is 450 wide, 75 from the cursor, and jumps within 525 of an edge.
TEST(ZoomPlacement, LengthsScaleWithTheDpi) {
    ZoomPlacement zoom;
    EXPECT_EQ(zoom.Place({500, 400}, {1920, 1080}, 144), (Rect{575, 475, 1025, 925}));
    EXPECT_EQ(zoom.Place({1396, 400}, {1920, 1080}, 144).left, 871);
}

// A factor is never zero, nor so large that the source square vanishes.
TEST(Magnification, AFactorOutsideOneTo300FallsBack) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"3", 3},     {L" 7x", 7},  {L"", 10}, {L"abc", 10}, {L"0", 10}, {L"-4", 10}, {L"99999999999999", 10},
        {L"300", 300}, {L"301", 300}};
    for (const auto& [text, factor] : cases) EXPECT_EQ(ParseMagnification(text), factor) << text;
}

}  // namespace
}  // namespace Vorlune
