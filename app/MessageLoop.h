#pragma once
#include <functional>

namespace Vorlune {

// What a process without a toolbar runs: start, then this thread's messages until the quit
// message, whose code it returns. An error from either is told on standard error and ends it
// with kExitError.
int RunCommandLoop(const std::function<void()>& start);

}  // namespace Vorlune
