#pragma once
#include <exception>

namespace Vorlune {

// An exception must never unwind through Windows' own frames (Wine drops those thrown
// from WM_PAINT or WM_CREATE). Procedures park it here; the message loop rethrows it.
void ParkException(std::exception_ptr error);
bool HasPendingException();
// Rethrows the first parked exception, if any, and clears the slot.
void RethrowPendingException();

// From the first parked exception until the loop has reported it, the program is ending:
// handlers are no longer run, so a failing paint handler cannot spin (an unvalidated window
// is painted again and again, and a message box never gets the idle moment it needs).
bool IsEnding();
void EndingReported();

// Runs body; a std::exception is parked and false returned.
template <class Body>
bool GuardCall(Body&& body) {
    try {
        body();
        return true;
    } catch (const std::exception&) {
        ParkException(std::current_exception());
        return false;
    }
}

}  // namespace Vorlune
