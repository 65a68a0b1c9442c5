#include "core/HotKeyCode.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

// A key in the low byte, nothing but Shift, Ctrl, Alt and the extended-key flag above it, and Ctrl or
// Alt unless the key is F1-F24, Print Screen or Pause: any other key alone is taken from every program.
TEST(HotKeyCode, OnlyDecimalDigitsOfAKeyThatMayBeAHotKeyAreAHotKey) {
    struct Stored {
        const wchar_t* text;
        HotKeyCode code;
    } stored[] = {{L"850", 0x352},      {L"2642", 0xA52},   {L"1089", 0x441}, {L"0", 0},        {L"", 0},
                  {L"850x", 0},         {L" 850", 0},       {L"-850", 0},     {L"+850", 0},     {L"768", 0},
                  {L"4178", 0},         {L"4294968146", 0}, {L"112", kVkF1},  {L"135", kVkF24}, {L"372", 0x174},
                  {L"44", kVkSnapshot}, {L"19", kVkPause},  {L"27", 0},       {L"13", 0},       {L"9", 0},
                  {L"2085", 0},         {L"65", 0},         {L"321", 0}};
    for (const Stored& s : stored) EXPECT_EQ(ParseHotKey(s.text), s.code) << s.text;
}

}  // namespace
}  // namespace Vorlune
