#include "markup/EditorKeys.h"

namespace Vorlune {

namespace {
bool ControlDown() { return GetKeyState(VK_CONTROL) < 0; }
bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }
}  // namespace

std::optional<EditorKey> EditorKeyOf(WPARAM key) {
    if (ControlDown()) {
        switch (key) {
            case 'S': return EditorKey::Save;
            case 'C': return EditorKey::Copy;
            case 'Z': return ShiftDown() ? EditorKey::Redo : EditorKey::Undo;
            case 'Y': return EditorKey::Redo;
            case 'D': return EditorKey::Duplicate;
            default: break;
        }
    }
    switch (key) {
        case VK_RETURN: return EditorKey::Enter;
        case VK_ESCAPE: return EditorKey::Escape;
        case VK_DELETE: return EditorKey::Delete;
        case VK_LEFT: return EditorKey::Left;
        case VK_RIGHT: return EditorKey::Right;
        case VK_UP: return EditorKey::Up;
        case VK_DOWN: return EditorKey::Down;
        case VK_HOME: return EditorKey::Home;
        case VK_END: return EditorKey::End;
        default: return std::nullopt;
    }
}

}  // namespace Vorlune
