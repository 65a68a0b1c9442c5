#include "ui/PendingException.h"

#include <utility>

namespace Vorlune {

namespace {
struct Pending {
    std::exception_ptr error;
    bool ending = false;
};

Pending& State() {
    static Pending state;
    return state;
}
}  // namespace

void ParkException(std::exception_ptr error) {
    // Keep the first: later ones are usually consequences of it.
    if (!State().error && !State().ending) State().error = std::move(error);
    State().ending = true;
}

bool HasPendingException() { return static_cast<bool>(State().error); }

void RethrowPendingException() {
    if (!State().error) return;
    std::exception_ptr error = std::exchange(State().error, nullptr);
    std::rethrow_exception(error);
}

bool IsEnding() { return State().ending; }

void EndingReported() {
    State().error = nullptr;
    State().ending = false;
}

}  // namespace Vorlune
