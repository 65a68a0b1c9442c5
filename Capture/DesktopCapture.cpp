#include "Capture/DesktopCapture.h"

#include <optional>
#include <string>

#include "Capture/CountdownWindow.h"
#include "app/AppContext.h"
#include "core/DelaySeconds.h"
#include "draw/CursorPainter.h"
#include "draw/Primitives.h"
#include "settings/SettingsStore.h"

namespace Vorlune {

namespace {

constexpr DWORD kOneSecond = 1000;
constexpr DWORD kSettleMilliseconds = 100;

}  // namespace

DesktopCapture::DesktopCapture(HWND owner) : CaptureBase(owner, L"DesktopCapture") {}

void DesktopCapture::Prepare() { TakeSnapshot(); }

void DesktopCapture::Start() {
    if (CursorOn()) {
        ShowOverlay();
        return;
    }
    FinishWholeScreen();
}

// The handlers run only while the overlay is up, which Start allows only with the cursor
// toggle on: no need to read the setting again on every move.
void DesktopCapture::OnMouseMove(POINT point) {
    snapshot->ResetWork();
    DrawCursorMarker(snapshot->workDC(), point, GetAuxiliaryLineColor());
    Refresh();
}

void DesktopCapture::OnLButtonUp(POINT) { FinishWithCursor(); }

bool DesktopCapture::OnKeyDown(WPARAM key) {
    if (key == VK_RETURN) {
        FinishWithCursor();
        return true;
    }
    // Escape is left to the framework, which ends the capture without output.
    return NudgeCursor(key);
}

void DesktopCapture::FinishWithCursor() {
    DrawCursorImage(snapshot->outputDC(), snapshot->Origin());
    FinishWholeScreen();
}

DelayedDesktopCapture::DelayedDesktopCapture(HWND owner, Sleeper sleeper)
    : CaptureBase(owner, L"DelayedDesktopCapture"), sleeper_(std::move(sleeper)) {
    if (!sleeper_) sleeper_ = [](DWORD milliseconds) { Sleep(milliseconds); };
}

void DelayedDesktopCapture::Start() {
    // Read before anything is shown, so a bad value leaves nothing half-done.
    const std::optional<int> asked = Request().delaySeconds;
    const int seconds = asked ? *asked : ParseDelaySeconds(Store().GetString(KeyDelaySeconds));
    if (seconds > 0) CountDown(seconds);
    TakeSnapshot();
    if (CursorOn()) DrawCursorImage(snapshot->outputDC(), snapshot->Origin());
    FinishWholeScreen();
}

void DelayedDesktopCapture::CountDown(int seconds) {
    {
        CountdownWindow window;
        const std::wstring unit = App().GetText(TextSeconds);
        for (int left = seconds; left > 0; --left) {
            window.Show(CountdownCaption(App().title, left, unit));
            sleeper_(kOneSecond);
            window.Hide();
        }
    }
    // What it covered must be back on screen before the freeze: composition may still show
    // it for a frame, and without composition the window below has to repaint. The same
    // pause the toolbar gets before a capture, through the same wait as the countdown.
    sleeper_(kSettleMilliseconds);
}

}  // namespace Vorlune
