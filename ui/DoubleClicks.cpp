#include "ui/DoubleClicks.h"

#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>

namespace Vorlune {

namespace {

// A dropped press's release is waited for no longer, should it never come.
constexpr std::uint32_t kReleaseWaitMilliseconds = 10000;

struct HookDeleter {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
using HookOwner = std::unique_ptr<std::remove_pointer_t<HHOOK>, HookDeleter>;

struct Guard {
    ClickStamp first;
    DoubleClickLimits limits;
    std::optional<std::uint32_t> droppedAt;  // a press was dropped: its release goes too
};
// The hook runs on the thread that set it, which owns the guard.
thread_local Guard* guard = nullptr;

LRESULT CALLBACK OnMouse(int code, WPARAM message, LPARAM info) {
    if (code == HC_ACTION && guard != nullptr) {
        const auto& mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(info);
        if (message == WM_LBUTTONDOWN &&
            IsSecondClick(guard->first, {{mouse.pt.x, mouse.pt.y}, mouse.time}, guard->limits)) {
            guard->droppedAt = mouse.time;
            return 1;
        }
        if (message == WM_LBUTTONUP && std::exchange(guard->droppedAt, std::nullopt)) return 1;
    }
    return CallNextHookEx(nullptr, code, message, info);
}

std::uint32_t Remaining(const Guard& state) {
    const std::uint32_t now = GetTickCount();
    const auto left = [now](std::uint32_t since, std::uint32_t limit) -> std::uint32_t {
        const std::uint32_t passed = now - since;  // across the clock's wrap
        return passed < limit ? limit - passed : 0;
    };
    if (state.droppedAt) return left(*state.droppedAt, kReleaseWaitMilliseconds);
    return left(state.first.time, state.limits.milliseconds + 1);
}

// A low-level hook is called through its thread's messages: this thread does nothing else, so
// no wait of the window's thread holds the mouse back.
void Watch(Guard state, std::promise<void> placed) {
    guard = &state;
    HookOwner hook(SetWindowsHookExW(WH_MOUSE_LL, OnMouse, GetModuleHandleW(nullptr), 0));
    placed.set_value();
    const auto answerCalls = [] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    };
    for (std::uint32_t left = Remaining(state); hook && left > 0; left = Remaining(state)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
        answerCalls();
    }
    // A call already queued for the hook is answered before the thread ends: one left unanswered
    // loses its mouse input.
    hook.reset();
    answerCalls();
}

}  // namespace

DoubleClickLimits SystemDoubleClickLimits() {
    return {GetDoubleClickTime(), {GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)}};
}

ClickStamp MessageClick(HWND window, POINT clientPoint) {
    // From the message's own point: one posted by another program is stamped with the cursor's.
    POINT at = clientPoint;
    ClientToScreen(window, &at);
    return {{at.x, at.y}, static_cast<std::uint32_t>(GetMessageTime())};
}

void GuardSecondClick(const ClickStamp& first) {
    std::promise<void> placed;
    std::future<void> done = placed.get_future();
    // Ends by itself when its time is over; nothing waits for it.
    std::thread(Watch, Guard{first, SystemDoubleClickLimits(), std::nullopt}, std::move(placed)).detach();
    done.wait();
}

}  // namespace Vorlune
