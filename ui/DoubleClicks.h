#pragma once
#include <windows.h>

#include <optional>

#include "core/DoubleClick.h"

namespace Vorlune {

// The double-click time and rectangle the user set in the system.
DoubleClickLimits SystemDoubleClickLimits();

// The point of a mouse message to window (lParam, in its client coordinates) on the screen, at the
// time the system stamped the message being handled with.
ClickStamp MessageClick(HWND window, LPARAM lParam);

// Drops the second click of a double click whose first click started something (a command, a
// capture), press and release alike: what the first click brought up must not take the second
// for a click of its own.
class SecondClickFilter {
public:
    // The click to watch for; none drops nothing.
    void Watch(std::optional<ClickStamp> first);
    // True when press is dropped, and then its release is too.
    bool DropsPress(const ClickStamp& press);
    bool DropsRelease();

private:
    std::optional<ClickStamp> first_;
    bool dropping_ = false;
};

}  // namespace Vorlune
