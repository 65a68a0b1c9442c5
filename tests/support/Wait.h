#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <utility>

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

// The text of a message box that showed where the test expected none, kept until a wait reports it.
class UnexpectedBox {
public:
    static void Seen(const std::wstring& text) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (text_.empty()) text_ = text;
    }
    static std::wstring Take() {
        std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(text_, std::wstring());
    }

private:
    static inline std::mutex mutex_;
    static inline std::wstring text_;
};

// True once the condition holds, false at the deadline; pumps this thread's messages meanwhile.
// A message box nobody expected ends the wait at once as a failure: the program behind it is
// waiting for a person, so every wait after it would only run into its deadline.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (const std::wstring box = UnexpectedBox::Take(); !box.empty()) {
            ADD_FAILURE() << "a message box showed where none was expected: " << box;
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Back in its message loop: what its thread did on the way, such as making a window active, is done.
inline bool Idle(HWND window) { return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr) != 0; }

}  // namespace Vorlune::Test
