#pragma once
#include <windows.h>

#include <chrono>
#include <functional>

namespace Vorlune::Test {

using namespace std::chrono_literals;

// Polls until the condition holds or the deadline passes; pumps this thread's messages
// meanwhile so windows of the test process stay responsive. True when the condition held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

// Dispatches everything queued for this thread.
void PumpMessages();

}  // namespace Vorlune::Test
