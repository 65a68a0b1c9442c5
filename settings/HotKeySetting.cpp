#include "settings/HotKeySetting.h"

#include <windows.h>
#include <commctrl.h>

#include "settings/SettingsStore.h"

namespace Vorlune {

static_assert(kVkF1 == VK_F1);
static_assert(kVkF24 == VK_F24);
static_assert(kVkSnapshot == VK_SNAPSHOT);
static_assert(kVkPause == VK_PAUSE);
static_assert(kHotKeyShift == HOTKEYF_SHIFT);
static_assert(kHotKeyControl == HOTKEYF_CONTROL);
static_assert(kHotKeyAlt == HOTKEYF_ALT);
static_assert(kHotKeyExt == HOTKEYF_EXT);
static_assert(kModAlt == MOD_ALT);
static_assert(kModControl == MOD_CONTROL);
static_assert(kModShift == MOD_SHIFT);
static_assert(kModNoRepeat == MOD_NOREPEAT);

HotKeyCode StoredHotKey(TextId button) { return ParseHotKey(Store().GetString(HotKeySetting(button))); }

}  // namespace Vorlune
