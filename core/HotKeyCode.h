#pragma once
#include <string>

#include "core/SettingKeys.h"
#include "core/TextId.h"

namespace Vorlune {

// Windows' own values, which the hotkey control and RegisterHotKey take.
constexpr unsigned kVkF1 = 0x70;
constexpr unsigned kVkF24 = 0x87;
constexpr unsigned kVkSnapshot = 0x2C;  // Print Screen
constexpr unsigned kVkPause = 0x13;
constexpr unsigned kHotKeyShift = 0x01;
constexpr unsigned kHotKeyControl = 0x02;
constexpr unsigned kHotKeyAlt = 0x04;
constexpr unsigned kHotKeyExt = 0x08;
constexpr unsigned kModAlt = 0x0001;
constexpr unsigned kModControl = 0x0002;
constexpr unsigned kModShift = 0x0004;
constexpr unsigned kModNoRepeat = 0x4000;

// A hotkey as a hotkey control gives it (HKM_GETHOTKEY): the virtual key in the low byte, the
// modifier flags kHotKeyShift, kHotKeyControl, kHotKeyAlt and kHotKeyExt in the high byte.
// 0 is none.
using HotKeyCode = int;

// The command buttons a hotkey can stand for; a hotkey runs what its button runs. The last
// region and the scrolling capture have no button: their hotkeys go by the texts of their fields.
inline constexpr TextId kHotKeyButtons[] = {TextRectangleButton, TextWindowButton,     TextHiddenWindowButton,
                                            TextDesktopButton,   TextHotKeyLastRegion, TextHotKeyScrolling};

// code itself when it names a key with nothing but those flags, with Ctrl or Alt unless the key
// is F1-F24, Print Screen or Pause; else none.
HotKeyCode ValidHotKey(long long code);
// A stored text that is anything but such a number in decimal digits is none.
HotKeyCode ParseHotKey(const std::wstring& text);

// What RegisterHotKey takes for a code: its modifiers, which keep a held key from repeating,
// and its virtual key.
struct HotKeyParts {
    unsigned modifiers;
    unsigned key;
};
HotKeyParts RegistrationParts(HotKeyCode code);

// Where the hotkey of one of kHotKeyButtons is stored, in section "Settings".
SettingKey HotKeySetting(TextId button);

}  // namespace Vorlune
