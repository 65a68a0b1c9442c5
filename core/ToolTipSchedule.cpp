#include "core/ToolTipSchedule.h"

namespace Vorlune {

std::uint64_t ToolTipSchedule::Request(std::uint64_t now) {
    // The tick goes first: whoever sees the serial sees a tick at least that new.
    tick_.store(now, std::memory_order_release);
    pending_.store(++lastSerial_, std::memory_order_release);
    return lastSerial_;
}

void ToolTipSchedule::Cancel() { pending_.store(0, std::memory_order_release); }

ToolTipSchedule::Step ToolTipSchedule::Next(std::uint64_t now) const {
    const std::uint64_t serial = Pending();
    if (serial == 0) return {0, 0};
    const std::uint64_t elapsed = now - tick_.load(std::memory_order_acquire);
    if (elapsed > kDelayMs) return {serial, 0};
    return {serial, kDelayMs + 1 - elapsed};
}

}  // namespace Vorlune
