#pragma once
#include <windows.h>

#include <memory>
#include <thread>

#include "CaptureProbe.h"

namespace Vorlune::Test {

// A ColourWindow made and served by a thread of its own, as another program's window is:
// it repaints while the test thread is blocked.
class ForeignColourWindow {
public:
    ForeignColourWindow(const RECT& screenRect, COLORREF colour);
    ~ForeignColourWindow();
    ForeignColourWindow(const ForeignColourWindow&) = delete;
    ForeignColourWindow& operator=(const ForeignColourWindow&) = delete;

    HWND Handle() const { return hwnd_; }

private:
    std::thread thread_;
    DWORD threadId_ = 0;
    HWND hwnd_ = nullptr;
};

}  // namespace Vorlune::Test
