#pragma once
#include <windows.h>

#include <optional>

#include "core/DoubleClick.h"

namespace Vorlune {

// The double-click time and rectangle the user set in the system.
DoubleClickLimits SystemDoubleClickLimits();

// Where on the screen and when the message being handled was posted, as the system stamped it.
ClickStamp CurrentMessageClick();

// Drops the second click of a double click whose first click started something (a command, a
// capture), press and release alike: what the first click brought up must not take the second
// for a click of its own.
class SecondClickFilter {
public:
    // The click to watch for; none drops nothing.
    void Watch(std::optional<ClickStamp> first);
    // For the press being handled: true when it is dropped, and then its release is too.
    bool DropsPress();
    bool DropsRelease();

private:
    std::optional<ClickStamp> first_;
    bool dropping_ = false;
};

}  // namespace Vorlune
