#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "core/ScrollFrame.h"
#include "ui/GdiOwners.h"
#include "ui/MessageMap.h"

namespace Vorlune {

// The small window beside the area while a scrolling capture runs: the image so far shrunk to
// fit, its size and state, and Stop and Cancel (Enter and Escape); M turns it to scrolling by
// hand, H to scrolling sideways. It never lies over the area, so it is in no grab. Its timer
// drives the capture.
class ScrollControl {
public:
    struct Actions {
        std::function<void()> stop;
        std::function<void()> cancel;
        std::function<void()> tick;
        std::function<void()> byHand;
        std::function<void()> across;
    };

    // Shown beside area (screen coordinates), in front, with the keyboard. Throws
    // CaptureException when it cannot be made.
    ScrollControl(const RECT& area, Actions actions);
    ~ScrollControl();
    ScrollControl(const ScrollControl&) = delete;
    ScrollControl& operator=(const ScrollControl&) = delete;

    HWND Window() const { return window_.get(); }
    // The preview's largest size, in pixels.
    SIZE PreviewRoom() const { return previewRoom_; }
    void Show(ScrollFrame preview, std::wstring size, std::wstring state);
    // tick runs every milliseconds from now on.
    void TickEvery(UINT milliseconds);
    // Gone from the screen, ticking no more; the object may go once its handlers have returned.
    void Close();

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnCommand(WPARAM id);
    void OnKeyDown(WPARAM key);

    Actions actions_;
    MessageMap map_;
    OwnedWindow window_;
    int dpi_;
    SIZE previewRoom_;
    ScrollFrame preview_;
    std::wstring size_;
    std::wstring state_;
};

}  // namespace Vorlune
