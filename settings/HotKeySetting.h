#pragma once
#include "core/HotKeyCode.h"
#include "core/TextId.h"

namespace Vorlune {

// The hotkey of one of kHotKeyButtons as the settings store holds it.
HotKeyCode StoredHotKey(TextId button);

}  // namespace Vorlune
