#include "ui/WindowVisibility.h"

namespace Vorlune {

void HideKeepingActivation(HWND window) {
    if (window == nullptr) return;
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace Vorlune
