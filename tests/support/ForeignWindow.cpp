#include "ForeignWindow.h"

namespace Vorlune::Test {

ForeignColourWindow::ForeignColourWindow(const RECT& screenRect, COLORREF colour) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, screenRect, colour, ready] {
        ColourWindow window(screenRect, colour);
        threadId_ = GetCurrentThreadId();
        hwnd_ = window.Handle();
        SetEvent(ready);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

ForeignColourWindow::~ForeignColourWindow() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

}  // namespace Vorlune::Test
