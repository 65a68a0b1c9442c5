#include "ui/WindowVisibility.h"

namespace Vorlune {

void HideKeepingActivation(HWND window) {
    if (window == nullptr) return;
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RenewMessageTime() {
    // A message posted now carries the time it was posted; retrieving it makes that time ours.
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
    MSG message;
    PeekMessageW(&message, reinterpret_cast<HWND>(-1), WM_NULL, WM_NULL, PM_REMOVE);
}

}  // namespace Vorlune
