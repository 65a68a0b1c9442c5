#include "FirstPaint.h"

namespace Vorlune::Bench {

void FirstPaint::PumpUntilPainted() {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    MSG msg;
    while (!painted_ && Clock::now() < deadline) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (!painted_) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

}  // namespace Vorlune::Bench
