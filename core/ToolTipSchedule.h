#pragma once
#include <atomic>
#include <cstdint>

namespace Vorlune {

// When a button's hint is due: more than 500 ms after the latest request, unless a hide came
// since. The UI thread writes, the tooltip worker reads. Every request has a serial of its own,
// so the UI thread can tell whether a "due" the worker sends is still the current request.
class ToolTipSchedule {
public:
    static constexpr std::uint64_t kDelayMs = 500;

    struct Step {
        std::uint64_t serial;  // 0: nothing is pending
        std::uint64_t waitMs;  // 0: the request is due now
    };

    // UI thread. Returns the new request's serial, never 0.
    std::uint64_t Request(std::uint64_t now);
    void Cancel();
    bool IsPending(std::uint64_t serial) const { return serial != 0 && serial == Pending(); }

    std::uint64_t Pending() const { return pending_.load(std::memory_order_acquire); }
    Step Next(std::uint64_t now) const;

private:
    std::atomic<std::uint64_t> tick_{0};
    std::atomic<std::uint64_t> pending_{0};
    std::uint64_t lastSerial_ = 0;  // UI thread only
};

}  // namespace Vorlune
