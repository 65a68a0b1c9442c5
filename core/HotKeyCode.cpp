#include "core/HotKeyCode.h"

#include <cstddef>

namespace Vorlune {

namespace {
constexpr long long kKeyMask = 0xFF;
constexpr long long kFlagMask = (kHotKeyShift | kHotKeyControl | kHotKeyAlt | kHotKeyExt) << 8;
constexpr std::size_t kMaxDigits = 9;  // well past the largest code, well inside the number
constexpr long long kCtrlOrAlt = (kHotKeyControl | kHotKeyAlt) << 8;

// Keys no program is typed with: without Ctrl or Alt any other key would be taken from all of them.
bool StandsAlone(long long key) { return (key >= kVkF1 && key <= kVkF24) || key == kVkSnapshot || key == kVkPause; }
}  // namespace

HotKeyCode ValidHotKey(long long code) {
    const long long key = code & kKeyMask;
    const bool valid =
        key != 0 && (code & ~(kKeyMask | kFlagMask)) == 0 && ((code & kCtrlOrAlt) != 0 || StandsAlone(key));
    return valid ? static_cast<HotKeyCode>(code) : 0;
}

HotKeyCode ParseHotKey(const std::wstring& text) {
    if (text.empty() || text.size() > kMaxDigits) return 0;
    long long code = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return 0;
        code = code * 10 + (c - L'0');
    }
    return ValidHotKey(code);
}

HotKeyParts RegistrationParts(HotKeyCode code) {
    const unsigned flags = static_cast<unsigned>(code) >> 8;
    unsigned modifiers = kModNoRepeat;
    if (flags & kHotKeyShift) modifiers |= kModShift;
    if (flags & kHotKeyControl) modifiers |= kModControl;
    if (flags & kHotKeyAlt) modifiers |= kModAlt;
    return {modifiers, static_cast<unsigned>(code & kKeyMask)};
}

SettingKey HotKeySetting(TextId button) {
    switch (button) {
        case TextWindowButton: return KeyHotKeyWindow;
        case TextHiddenWindowButton: return KeyHotKeyHiddenWindow;
        case TextDesktopButton: return KeyHotKeyDesktop;
        case TextHotKeyLastRegion: return KeyHotKeyLastRegion;
        case TextHotKeyScrolling: return KeyHotKeyScrolling;
        default: return KeyHotKeyRectangle;
    }
}

}  // namespace Vorlune
