#include "core/HotKeyRepeats.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

constexpr unsigned kF8 = 0x77;
constexpr unsigned kF7 = 0x76;

bool AllUp(unsigned) { return false; }
bool AllDown(unsigned) { return true; }

TEST(HotKeyRepeats, TheFirstPressOfAKeyRuns) {
    HotKeyRepeats repeats;
    EXPECT_TRUE(repeats.Press(kF8));
}

// Whatever the keyboard says by the time it is handled: a repeat sent while the key was held
// may wait in the queue until after the key came up.
TEST(HotKeyRepeats, APressIsARepeatUntilALookFindsItsKeyLetGo) {
    HotKeyRepeats repeats;
    repeats.Press(kF8);
    EXPECT_FALSE(repeats.Press(kF8));
}

TEST(HotKeyRepeats, APressAfterALookFoundItsKeyLetGoRuns) {
    HotKeyRepeats repeats;
    repeats.Press(kF8);
    repeats.LookAtKeys(AllUp);
    EXPECT_TRUE(repeats.Press(kF8));
}

TEST(HotKeyRepeats, ALookThatFindsTheKeyDownKeepsItHeld) {
    HotKeyRepeats repeats;
    repeats.Press(kF8);
    EXPECT_TRUE(repeats.LookAtKeys(AllDown));
    EXPECT_FALSE(repeats.Press(kF8));
}

TEST(HotKeyRepeats, AnotherKeyRunsWhileOneIsHeld) {
    HotKeyRepeats repeats;
    repeats.Press(kF8);
    EXPECT_TRUE(repeats.Press(kF7));
}

TEST(HotKeyRepeats, ALookThatLetsTheLastKeyGoSaysNoneIsHeld) {
    HotKeyRepeats repeats;
    repeats.Press(kF8);
    EXPECT_FALSE(repeats.LookAtKeys([](unsigned key) { return key != kF8; }));
}

}  // namespace
}  // namespace Vorlune
