#include "core/ImageNames.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(ImageNames, AGapIsTakenBeforeOnePastTheTop) {
    EXPECT_EQ(PickFreeImageName({L"00001.bmp", L"00003.bmp"}), L"00002.bmp");
}

TEST(ImageNames, BothFormatsShareOneSequenceOfNumbers) {
    EXPECT_EQ(PickFreeImageName({L"00001.bmp", L"00003.png"}, ImageFormatPng), L"00002.png");
    EXPECT_EQ(PickFreeImageName({L"00001.PNG", L"00002.bmp"}, ImageFormatBmp), L"00003.bmp");
}

// Only the extension goes: a name with dots of its own keeps them, and meets no other name's.
TEST(ImageNames, ATemporaryNameReplacesOnlyTheExtension) {
    EXPECT_EQ(TemporaryImageName(L"00001.bmp"), L"00001.tmp");
    EXPECT_EQ(TemporaryImageName(L"my.shot.png"), L"my.shot.tmp");
}

}  // namespace
}  // namespace Vorlune
