#include "core/Spotlight.h"

#include <gtest/gtest.h>

#include "BgraPicture.h"

namespace Vorlune {
namespace {

// Two holes in a 6 x 2 picture of one colour, dimmed in all but its last column.
TEST(Spotlight, OutsideEveryHoleEachChannelKeepsFortyPercentRounded) {
    Picture picture({6, 2});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x) picture.Set(x, y, {200, 255, 1, 9});
    DimOutside(picture.bytes.data(), picture.stride, picture.size, {0, 0, 5, 2}, {{1, 0, 3, 2}, {4, 1, 9, 9}});
    const char* rows[] = {"DHHDDH", "DHHDHH"};  // dimmed, or as it was
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(picture.Get(x, y), (rows[y][x] == 'D' ? Pixel{80, 102, 0, 9} : Pixel{200, 255, 1, 9}))
                << x << "," << y;
}

}  // namespace
}  // namespace Vorlune
