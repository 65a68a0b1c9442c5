#include "scrolling/ScrollTarget.h"

#include <algorithm>

namespace Vorlune {

namespace {

constexpr UINT kMessageWaitMilliseconds = 500;

int NotchesFor(int lines) {
    UINT perNotch = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
    if (perNotch == 0 || perNotch == WHEEL_PAGESCROLL) perNotch = 3;
    return std::clamp(lines / static_cast<int>(perNotch), 1, 100);
}

}  // namespace

void ScrollOn(HWND target, POINT at, ScrollWay way, ScrollAxis axis, int lines) {
    const bool down = axis == ScrollAxis::Down;
    switch (way) {
        case ScrollWay::LineMessages: {
            const UINT message = down ? WM_VSCROLL : WM_HSCROLL;
            // Sent, so that each has been handled when the picture is grabbed; a hung window
            // holds the capture up for no longer than the wait.
            for (int i = 0; i < lines; ++i)
                SendMessageTimeoutW(target, message, SB_LINEDOWN, 0, SMTO_ABORTIFHUNG, kMessageWaitMilliseconds,
                                    nullptr);
            SendMessageTimeoutW(target, message, SB_ENDSCROLL, 0, SMTO_ABORTIFHUNG, kMessageWaitMilliseconds, nullptr);
            return;
        }
        case ScrollWay::PostedWheel: {
            const int delta = (down ? -WHEEL_DELTA : WHEEL_DELTA) * NotchesFor(lines);
            PostMessageW(target, down ? WM_MOUSEWHEEL : WM_MOUSEHWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.x, at.y));
            return;
        }
        case ScrollWay::RealWheel: {
            SetCursorPos(at.x, at.y);
            INPUT input = {};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = down ? MOUSEEVENTF_WHEEL : MOUSEEVENTF_HWHEEL;
            input.mi.mouseData = static_cast<DWORD>((down ? -WHEEL_DELTA : WHEEL_DELTA) * NotchesFor(lines));
            SendInput(1, &input, sizeof input);
            return;
        }
    }
}

}  // namespace Vorlune
