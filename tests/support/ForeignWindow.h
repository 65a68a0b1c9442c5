#pragma once
#include <windows.h>

#include <thread>

#include "CaptureProbe.h"

namespace Vorlune::Test {

// A ColourWindow served by a thread of its own, as another program's: it repaints while the test thread waits.
class ForeignColourWindow {
public:
    ForeignColourWindow(const RECT& rect, COLORREF colour) {
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, rect, colour, ready] {
            ColourWindow window(rect, colour);
            threadId_ = GetCurrentThreadId();
            hwnd_ = window.Handle();
            SetEvent(ready);
            for (MSG msg; GetMessageW(&msg, nullptr, 0, 0) > 0;) DispatchMessageW(&msg);
        });
        WaitForSingleObject(ready, INFINITE);
        CloseHandle(ready);
    }
    ~ForeignColourWindow() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND Handle() const { return hwnd_; }

private:
    std::thread thread_;
    DWORD threadId_ = 0;
    HWND hwnd_ = nullptr;
};

}  // namespace Vorlune::Test
