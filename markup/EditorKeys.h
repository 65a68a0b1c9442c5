#pragma once
#include <windows.h>

#include <optional>

#include "core/MarkupEditor.h"

namespace Vorlune {

// The key chords the mark-up editor reads besides characters, with Ctrl and Shift as they are
// now; any other key is none of them.
std::optional<EditorKey> EditorKeyOf(WPARAM key);

}  // namespace Vorlune
