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

}  // namespace
}  // namespace Vorlune
