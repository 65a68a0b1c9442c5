#pragma once
#include <windows.h>

#include <functional>

#include "Capture/CaptureBase.h"

namespace Vorlune {

// The whole virtual screen. Without the cursor toggle the capture completes inside Act;
// with it the frozen screen is shown until a left click or Enter puts the cursor in.
class DesktopCapture : public CaptureBase {
public:
    explicit DesktopCapture(HWND owner);

protected:
    void Prepare() override;
    // A failed output still ends the capture (the callback runs once) before it is rethrown.
    void Start() override;
    void OnMouseMove(POINT point) override;
    void OnLButtonUp(POINT point) override;
    bool OnKeyDown(WPARAM key) override;

private:
    void FinishWithCursor();
};

// The whole virtual screen after a countdown of DelaySeconds seconds (or the request's) on the live screen.
// Has no overlay: it is never made with CreateOverlay, and completes inside Act.
class DelayedDesktopCapture : public CaptureBase {
public:
    using Sleeper = std::function<void(DWORD milliseconds)>;

    // sleeper does every wait: the countdown's seconds and the pause before the freeze;
    // Sleep by default.
    explicit DelayedDesktopCapture(HWND owner, Sleeper sleeper = {});

protected:
    // Throws std::invalid_argument or std::out_of_range for a DelaySeconds that is not an
    // int, and whatever the output throws; either way the capture has ended and the
    // callback has run once before the exception leaves.
    void Start() override;

private:
    void CountDown(int seconds);

    Sleeper sleeper_;
};

}  // namespace Vorlune
