#include "core/Pixelate.h"

#include <gtest/gtest.h>

#include "BgraPicture.h"

namespace Vorlune {
namespace {

void Pixelate(Picture& picture, Rect area) {
    Vorlune::Pixelate(picture.bytes.data(), picture.stride, picture.size, area);
}

TEST(Pixelate, EachPixelOfABlockTakesTheBlocksRoundedMean) {
    Picture picture({2, 2});
    picture.Set(0, 0, {0, 10, 255, 9});
    picture.Set(1, 0, {1, 20, 255, 9});
    picture.Set(0, 1, {1, 30, 0, 9});
    picture.Set(1, 1, {1, 41, 0, 9});
    Pixelate(picture, {0, 0, 2, 2});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(picture.Get(x, y), (Pixel{1, 25, 128, 255}));
}

// Columns 3-12, 13-22 and 23-27; rows 2-11 and 12-17.
TEST(Pixelate, ARemainderOfHalfABlockOrMoreIsABlockOfItsOwn) {
    Picture picture({28, 18});
    Pixelate(picture, {3, 2, 28, 18});
    EXPECT_EQ(picture.Get(24, 2), (Pixel{25, 7, 32, 255}));
    EXPECT_EQ(picture.Get(24, 12), (Pixel{25, 15, 40, 255}));
}

// Columns 3-12 and 13-24; rows 2-12. Alone, row 12 and columns 23-24 would keep more of the original.
TEST(Pixelate, ARemainderThinnerThanHalfABlockJoinsTheBlockBesideIt) {
    Picture picture({25, 13});
    Pixelate(picture, {3, 2, 25, 13});
    EXPECT_EQ(picture.Get(24, 12), (Pixel{19, 7, 26, 255}));
    EXPECT_EQ(picture.Get(13, 2), (Pixel{19, 7, 26, 255}));
}

TEST(Pixelate, AnAreaPastTheImageIsCutToIt) {
    Picture picture({6, 4});
    Picture expected = picture;
    for (int y = 2; y < 4; ++y)
        for (int x = 0; x < 6; ++x) expected.Set(x, y, {3, 3, 5, 255});
    Pixelate(picture, {-50, 2, 50, 90});
    EXPECT_EQ(picture.bytes, expected.bytes);
}

TEST(Pixelate, PixelsOutsideTheAreaAreUntouched) {
    Picture picture({12, 12});
    Picture original = picture;
    const Rect area = {2, 2, 10, 10};
    Pixelate(picture, area);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            if (Contains(area, {x, y})) continue;
            EXPECT_EQ(picture.Get(x, y), original.Get(x, y)) << x << "," << y;
        }
}

}  // namespace
}  // namespace Vorlune
