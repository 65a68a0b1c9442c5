#pragma once
#include <windows.h>

#include <functional>

namespace Vorlune {

// This thread's messages until the quit message: its code, or failed when the loop itself fails.
// An error a handler left pending is thrown here. accelerators may be none.
int PumpMessages(HACCEL accelerators, int failed);

// What a process without a toolbar runs: start, then this thread's messages until the quit
// message, whose code it returns. An error from either is told on standard error and ends it
// with kExitError.
int RunCommandLoop(const std::function<void()>& start);

}  // namespace Vorlune
