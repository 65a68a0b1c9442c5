#pragma once
#include <windows.h>

namespace Vorlune {

// The input method's part in typing a text: its composition shows at the caret, and while it
// composes every key is its own, Enter and Escape too.
class TextInput {
public:
    // caret in client coordinates.
    void StartComposition(HWND window, POINT caret);
    void EndComposition() { composing_ = false; }
    bool Composing() const { return composing_; }

private:
    bool composing_ = false;
};

}  // namespace Vorlune
