#include "ui/DoubleClicks.h"

#include <atomic>
#include <future>
#include <thread>
#include <utility>

namespace Vorlune {

struct SecondClickShield::State {
    ClickStamp first;
    DoubleClickLimits limits;
    DWORD thread = 0;
    std::atomic<bool> released{false};  // the owner has gone
    bool dropping = false;  // a press was dropped: its release goes too
};

namespace {

// The hook runs on the thread that set it, which owns the state it reads.
thread_local SecondClickShield::State* shield = nullptr;

LRESULT CALLBACK OnMouse(int code, WPARAM message, LPARAM info) {
    if (code == HC_ACTION && shield != nullptr) {
        const auto& mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(info);
        if (message == WM_LBUTTONDOWN &&
            IsSecondClick(shield->first, {{mouse.pt.x, mouse.pt.y}, mouse.time}, shield->limits)) {
            shield->dropping = true;
            return 1;
        }
        if (message == WM_LBUTTONUP && std::exchange(shield->dropping, false)) {
            PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);  // its owner may have gone
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, message, info);
}

// A low-level hook is called through its thread's messages: this thread does nothing else, so
// no wait of the window's thread holds the mouse back.
void Watch(std::shared_ptr<SecondClickShield::State> state, std::promise<void> placed) {
    shield = state.get();
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue the owner posts to
    state->thread = GetCurrentThreadId();
    const HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, OnMouse, GetModuleHandleW(nullptr), 0);
    placed.set_value();
    if (hook == nullptr) return;
    while (!(state->released && !state->dropping) && GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    UnhookWindowsHookEx(hook);
    // A call already queued for the hook is answered before the thread ends.
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

SecondClickShield::SecondClickShield(const ClickStamp& first) : state_(std::make_shared<State>()) {
    state_->first = first;
    state_->limits = SystemDoubleClickLimits();
    std::promise<void> placed;
    std::future<void> done = placed.get_future();
    // Ends by itself once its owner has gone; nothing waits for it.
    std::thread(Watch, state_, std::move(placed)).detach();
    done.wait();
}

SecondClickShield::~SecondClickShield() {
    state_->released = true;
    PostThreadMessageW(state_->thread, WM_NULL, 0, 0);  // to look again
}

DoubleClickLimits SystemDoubleClickLimits() {
    return {GetDoubleClickTime(), {GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)}};
}

ClickStamp MessageClick(HWND window, POINT clientPoint) {
    // From the message's own point: one posted by another program is stamped with the cursor's.
    POINT at = clientPoint;
    ClientToScreen(window, &at);
    return {{at.x, at.y}, static_cast<std::uint32_t>(GetMessageTime())};
}

void SecondClickFilter::Watch(std::optional<ClickStamp> first) {
    first_ = first;
    dropping_ = false;
}

bool SecondClickFilter::DropsPress(const ClickStamp& press) {
    dropping_ = first_ && IsSecondClick(*first_, press, SystemDoubleClickLimits());
    return dropping_;
}

bool SecondClickFilter::DropsRelease() { return std::exchange(dropping_, false); }

}  // namespace Vorlune
