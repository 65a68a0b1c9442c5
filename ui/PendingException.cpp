#include "ui/PendingException.h"

#include <utility>

namespace Vorlune {

namespace {
std::exception_ptr& Slot() {
    static std::exception_ptr slot;
    return slot;
}
}  // namespace

void ParkException(std::exception_ptr error) {
    // Keep the first: later ones are usually consequences of it.
    if (!Slot()) Slot() = std::move(error);
}

bool HasPendingException() { return static_cast<bool>(Slot()); }

void RethrowPendingException() {
    if (!Slot()) return;
    std::exception_ptr error = std::exchange(Slot(), nullptr);
    std::rethrow_exception(error);
}

}  // namespace Vorlune
