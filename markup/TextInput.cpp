#include "markup/TextInput.h"

#include <imm.h>

namespace Vorlune {

namespace {
// A window's input context for the scope.
class InputContext {
public:
    explicit InputContext(HWND window) : window_(window), context_(ImmGetContext(window)) {}
    ~InputContext() {
        if (context_ != nullptr) ImmReleaseContext(window_, context_);
    }
    InputContext(const InputContext&) = delete;
    InputContext& operator=(const InputContext&) = delete;

    HIMC get() const { return context_; }

private:
    HWND window_;
    HIMC context_;
};
}  // namespace

void TextInput::StartComposition(HWND window, POINT caret) {
    composing_ = true;
    const InputContext context(window);
    if (context.get() == nullptr) return;
    COMPOSITIONFORM form = {};
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = caret;
    ImmSetCompositionWindow(context.get(), &form);
}

}  // namespace Vorlune
