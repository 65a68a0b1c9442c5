#include "core/LastRegion.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(LastRegion, ARegionComesBackFromItsText) {
    const Rect region = {-1920, -20, -1000, 1060};
    EXPECT_EQ(FormatRegion(region), L"-1920,-20,920,1080");
    EXPECT_EQ(ParseRegion(FormatRegion(region)), region);
}

TEST(LastRegion, ParseRefusesAnythingButFourNumbersWithASize) {
    for (const wchar_t* text : {L"", L"1,2,3", L"1,2,3,4,5", L"1,2,3,4,", L",2,3,4", L"1, 2,3,4", L"1,2,3,4 ",
                                L"1,2,0,4", L"1,2,3,0", L"1,2,-3,4", L"1,2,3,+4", L"1;2;3;4"})
        EXPECT_EQ(ParseRegion(text), std::nullopt) << text;
}

TEST(LastRegion, ParseRefusesARightEdgePastInt32) {
    EXPECT_EQ(ParseRegion(L"2147483000,0,647,10"), (Rect{2147483000, 0, 2147483647, 10}));
    EXPECT_EQ(ParseRegion(L"0,2147483000,10,648"), std::nullopt);
}

// Touching a monitor's edge is not lying on it.
TEST(LastRegion, ARegionBesideEveryMonitorIsNone) {
    EXPECT_EQ(ClipToMonitors({1920, 0, 2000, 10}, {{0, 0, 1920, 1080}}), std::nullopt);
}

// The right monitor is shorter: the box of both parts keeps the left one's height.
TEST(LastRegion, ARegionAcrossTwoMonitorsBecomesTheBoxOfItsParts) {
    const std::vector<Rect> monitors = {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};
    EXPECT_EQ(ClipToMonitors({1800, 1000, 2000, 1100}, monitors), (Rect{1800, 1000, 2000, 1080}));
}

}  // namespace
}  // namespace Vorlune
