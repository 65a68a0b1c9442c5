#include "ui/DoubleClicks.h"

#include <windowsx.h>

#include <cstdint>
#include <utility>

namespace Vorlune {

DoubleClickLimits SystemDoubleClickLimits() {
    return {GetDoubleClickTime(), {GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)}};
}

ClickStamp CurrentMessageClick() {
    const DWORD position = GetMessagePos();
    return {{GET_X_LPARAM(position), GET_Y_LPARAM(position)}, static_cast<std::uint32_t>(GetMessageTime())};
}

void SecondClickFilter::Watch(std::optional<ClickStamp> first) {
    first_ = first;
    dropping_ = false;
}

bool SecondClickFilter::DropsPress() {
    dropping_ = first_ && IsSecondClick(*first_, CurrentMessageClick(), SystemDoubleClickLimits());
    return dropping_;
}

bool SecondClickFilter::DropsRelease() { return std::exchange(dropping_, false); }

}  // namespace Vorlune
