#include "core/HeldKeys.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

constexpr unsigned kF8 = 0x77;

bool Down(unsigned) { return true; }
bool Up(unsigned) { return false; }

TEST(HeldKeys, TheFirstPressOfAKeyIsNew) {
    HeldKeys keys;
    EXPECT_TRUE(keys.Press(kF8));
}

TEST(HeldKeys, APressWhileTheKeyIsHeldRepeatsIt) {
    HeldKeys keys;
    keys.Press(kF8);
    keys.Read(Down, 1000);
    EXPECT_FALSE(keys.Press(kF8));
}

TEST(HeldKeys, AKeyReadUpForAMomentWhileHeldIsStillHeld) {
    HeldKeys keys;
    keys.Press(kF8);
    keys.Read(Up, 1000);
    keys.Read(Up, 1000 + HeldKeys::kLetGoMilliseconds - 1);
    EXPECT_FALSE(keys.Press(kF8));
}

TEST(HeldKeys, AKeyReadUpForTheLetGoTimeIsLetGo) {
    HeldKeys keys;
    keys.Press(kF8);
    keys.Read(Up, 1000);
    keys.Read(Up, 1000 + HeldKeys::kLetGoMilliseconds);
    EXPECT_TRUE(keys.Empty());
    EXPECT_TRUE(keys.Press(kF8));
}

TEST(HeldKeys, ReadingTheKeyDownAgainStartsItsLetGoTimeAfresh) {
    HeldKeys keys;
    keys.Press(kF8);
    keys.Read(Up, 1000);
    keys.Read(Down, 1100);
    keys.Read(Up, 1200);
    keys.Read(Up, 1000 + HeldKeys::kLetGoMilliseconds);
    EXPECT_FALSE(keys.Press(kF8));
}

TEST(HeldKeys, TheLetGoTimeCountsAcrossTheWrapOfTheClock) {
    HeldKeys keys;
    keys.Press(kF8);
    keys.Read(Up, 0xFFFFFFF0u);
    keys.Read(Up, HeldKeys::kLetGoMilliseconds);
    EXPECT_TRUE(keys.Empty());
}

}  // namespace
}  // namespace Vorlune
