#pragma once
#include <windows.h>

#include <chrono>
#include <functional>

namespace Vorlune::Test {

using namespace std::chrono_literals;

// Dispatches everything queued for this thread.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// True once the condition holds, false at the deadline; pumps this thread's messages meanwhile.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

}  // namespace Vorlune::Test
