#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "core/ToolTipSchedule.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

// The thread that tells the UI thread when a hint is due. It never touches a window: it posts
// the target's message with the request's serial in WPARAM, and the UI thread decides. It
// blocks in its waits between requests and until the deadline, never polling.
class ToolTipWorker {
public:
    // Throws std::system_error when the thread cannot start.
    ToolTipWorker();
    // Stops the thread and waits for it; the events go after.
    ~ToolTipWorker();
    ToolTipWorker(const ToolTipWorker&) = delete;
    ToolTipWorker& operator=(const ToolTipWorker&) = delete;

    void SetTarget(HWND window, UINT message);
    std::uint64_t Request();
    void Cancel();
    bool IsPending(std::uint64_t serial) const { return schedule_.IsPending(serial); }

private:
    void Run();

    // Unnamed: nothing outside the process needs them, and a name could be shared by
    // another copy of the program.
    KernelHandle stop_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelHandle wake_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    ToolTipSchedule schedule_;
    std::atomic<HWND> target_{nullptr};
    std::atomic<UINT> message_{0};
    std::thread thread_;
};

}  // namespace Vorlune
