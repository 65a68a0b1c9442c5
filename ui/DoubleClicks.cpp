#include "ui/DoubleClicks.h"

#include <windowsx.h>

#include <cstdint>
#include <utility>

namespace Vorlune {

DoubleClickLimits SystemDoubleClickLimits() {
    return {GetDoubleClickTime(), {GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)}};
}

ClickStamp MessageClick(HWND window, LPARAM lParam) {
    // From the message's own point: one posted by another program is stamped with the cursor's.
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &at);
    return {{at.x, at.y}, static_cast<std::uint32_t>(GetMessageTime())};
}

void SecondClickFilter::Watch(std::optional<ClickStamp> first) {
    first_ = first;
    dropping_ = false;
}

bool SecondClickFilter::DropsPress(const ClickStamp& press) {
    dropping_ = first_ && IsSecondClick(*first_, press, SystemDoubleClickLimits());
    return dropping_;
}

bool SecondClickFilter::DropsRelease() { return std::exchange(dropping_, false); }

}  // namespace Vorlune
