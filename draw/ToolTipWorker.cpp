#include "draw/ToolTipWorker.h"

namespace Vorlune {

ToolTipWorker::ToolTipWorker() : thread_([this] { Run(); }) {}

ToolTipWorker::~ToolTipWorker() {
    if (stop_.Valid()) SetEvent(stop_.get());
    // Without a stop event the thread ended at its first wait.
    if (thread_.joinable()) thread_.join();
}

void ToolTipWorker::SetTarget(HWND window, UINT message) {
    message_.store(message);
    target_.store(window);
}

std::uint64_t ToolTipWorker::Request() {
    const std::uint64_t serial = schedule_.Request(GetTickCount64());
    SetEvent(wake_.get());
    return serial;
}

void ToolTipWorker::Cancel() {
    schedule_.Cancel();
    ResetEvent(wake_.get());
}

void ToolTipWorker::Run() {
    const HANDLE events[2] = {stop_.get(), wake_.get()};
    for (;;) {
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
        for (;;) {
            const ToolTipSchedule::Step step = schedule_.Next(GetTickCount64());
            if (step.serial != 0 && step.waitMs > 0) {
                if (WaitForSingleObject(stop_.get(), static_cast<DWORD>(step.waitMs)) != WAIT_TIMEOUT) return;
                continue;
            }
            ResetEvent(wake_.get());
            // A request made meanwhile may have had its wake-up reset just now: serve it.
            if (schedule_.Pending() != step.serial) continue;
            HWND target = target_.load();
            if (step.serial != 0 && target != nullptr) PostMessageW(target, message_.load(), step.serial, 0);
            break;
        }
    }
}

}  // namespace Vorlune
