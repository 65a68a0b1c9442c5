#pragma once
#include <windows.h>

#include <memory>
#include <optional>

#include "core/DoubleClick.h"

namespace Vorlune {

// The double-click time and rectangle the user set in the system.
DoubleClickLimits SystemDoubleClickLimits();

// The point of a mouse message to window (in its client coordinates) on the screen, at the time
// the system stamped the message being handled with.
ClickStamp MessageClick(HWND window, POINT clientPoint);

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

// While it lives, drops the second click of first wherever it falls: while the toolbar leaves
// the screen, that click would reach the program below it, which would take the keyboard from
// the overlay. A press dropped is followed by its release, dropped too, also after it has gone.
// Kept short: under Wine, clicks were lost while such a hook was in place and the machine busy.
class SecondClickShield {
public:
    explicit SecondClickShield(const ClickStamp& first);
    ~SecondClickShield();
    SecondClickShield(const SecondClickShield&) = delete;
    SecondClickShield& operator=(const SecondClickShield&) = delete;

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace Vorlune
