#pragma once
#include <string>

#include "settings/SettingsStore.h"
#include "core/TextId.h"

namespace Vorlune {

// A hotkey as a hotkey control gives it (HKM_GETHOTKEY): the virtual key in the low byte, the
// modifier flags HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT and HOTKEYF_EXT in the high byte.
// 0 is none.
using HotKeyCode = int;

// The command buttons a hotkey can stand for; a hotkey runs what its button runs.
inline constexpr TextId kHotKeyButtons[] = {TextRectangleButton, TextWindowButton, TextHiddenWindowButton,
                                            TextDesktopButton};

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
HotKeyCode StoredHotKey(TextId button);

}  // namespace Vorlune
