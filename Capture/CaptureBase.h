#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Capture/ButtonActor.h"
#include "Capture/CaptureOutput.h"
#include "Capture/CaptureRequest.h"
#include "Capture/ScreenSnapshot.h"
#include "Capture/ScrollHandOff.h"
#include "draw/CursorPainter.h"
#include "ui/DoubleClicks.h"
#include "ui/GdiOwners.h"
#include "ui/MessageMap.h"

namespace Vorlune {

// The skeleton of every capture mode: a frozen copy of the virtual screen, a topmost
// overlay that shows it, and the overlay's messages routed to the mode's handlers.
// Points given to the handlers are overlay client coordinates, which are snapshot coordinates.
//
// A mode derives from it, passes its command name as className, overrides the handlers it
// needs and is made with MakeCaptureMode<Mode>(owner), which gives it a message map and a
// window procedure of its own. A capture ends through EndCapture (or FinishWholeScreen),
// never by calling onFinished directly, so the snapshot is released and the callback runs once.
class CaptureBase : public ButtonActor {
public:
    // Stores onFinished, then Prepare and Start. If either throws, the capture is ended
    // (overlay hidden, snapshot released, onFinished run once) before the exception leaves.
    void Act(std::function<void()> onFinished) final;
    // As Act, for what request asks beyond the settings; onEnded gets the capture's result.
    void ActWith(CaptureRequest request, std::function<void(CaptureResult)> onEnded);
    // Forgets the handlers bound to this object, destroys the overlay and its class.
    ~CaptureBase() override;

    // Registers the class and creates the hidden 1 x 1 topmost overlay, then binds the
    // handlers in messageMap to this object. Throws CaptureException when the window
    // cannot be created; the map is then left untouched.
    void CreateOverlay(WNDPROC windowProcedure, MessageMap& messageMap);

protected:
    CaptureBase(HWND owner, std::wstring className);

    virtual void Prepare() {}
    virtual void Start() {}
    virtual void OnLButtonDown(POINT) {}
    virtual void OnLButtonUp(POINT) {}
    virtual void OnRButtonUp(POINT) {}
    virtual void OnMouseMove(POINT) {}
    // False when the key was not handled; an unhandled Escape cancels the capture.
    virtual bool OnKeyDown(WPARAM) { return false; }
    virtual void OnKeyUp(WPARAM) {}
    // The key being handled is an auto-repeat of a key already held down.
    bool KeyIsRepeat() const { return keyRepeat_; }

    // Releases the previous snapshot, then freezes the virtual screen anew.
    void TakeSnapshot();
    // The overlay topmost over exactly the snapshot bounds, and in the foreground.
    void ShowOverlay();
    // Repaints the overlay from workDC.
    void Refresh();
    // Drops a selection in progress: workDC restored, overlay refreshed, flags cleared.
    bool CancelDrag();
    // Outputs the whole snapshot and ends the capture.
    void FinishWholeScreen();
    // The output step for an area in snapshot coordinates, by the request; false when the file
    // was not written, also when the pick was handed off to be marked up, which then ends the
    // command. A failure's report goes into the result, the capture's end hands it on.
    bool Finish(const RECT& area);
    // The cursor goes into the image: as the request says, else as the toggle.
    bool CursorOn() const { return request_.cursor.value_or(CursorCaptureOn()); }
    const CaptureRequest& Request() const { return request_; }
    // Ends the capture and hands pick (its area in snapshot coordinates) to a scrolling capture,
    // which ends the command; when that cannot start, the capture fails as any does.
    void HandOffScroll(const ScrollHandOff& handOff, ScrollPick pick);
    // Moves the cursor one pixel for an arrow key; false for any other key.
    bool NudgeCursor(WPARAM key);
    // Where the cursor is now, in snapshot coordinates.
    POINT CursorPoint() const;
    // Ends the capture, finished or cancelled: overlay hidden, flags cleared, snapshot
    // released, then onEnded run with the result. Only the first call of a capture runs it.
    void EndCapture();
    // Called by EndCapture: what the mode holds for this capture alone can go.
    virtual void OnCaptureEnded() {}
    // Called first in each paint of the overlay: paints what the mode shows straight onto the
    // window instead of into workDC, and gives back where, which the copy from workDC then skips.
    virtual std::vector<RECT> PaintOverWork(HDC) { return {}; }

    HWND owner;
    bool dragging = false;
    bool keyboardAnchor = false;
    OwnedWindow overlay;
    std::wstring className;
    std::unique_ptr<ScreenSnapshot> snapshot;
    ImageFileNamer namer;

private:
    void RegisterHandlers(MessageMap& map);
    void HandleMouseMove(LPARAM lParam);
    void HandleKeyDown(WPARAM key, LPARAM flags);
    void HandleKillFocus();
    void HandlePaint();
    // Reports error, then ends the capture as Escape would.
    void FailCapture(const std::exception& error);
    // Input reaches the mode only while a capture is under way.
    bool Capturing() const { return snapshot != nullptr; }

    std::function<void(CaptureResult)> onEnded_;
    CaptureRequest request_;
    CaptureResult result_;
    MessageMap* messageMap_ = nullptr;
    bool keyRepeat_ = false;
    // The overlay comes up between the two clicks of a double click on the toolbar.
    SecondClickFilter secondClicks_;
};

// A mouse message's point: signed low and high words of LPARAM.
POINT MessagePoint(LPARAM lParam);

// Each mode class has a message map and a window procedure of its own.
template <class Mode>
MessageMap& OverlayMessageMap() {
    return ClassMessageMap<Mode>();
}

template <class Mode>
constexpr WNDPROC OverlayWindowProcedure = ClassWindowProcedure<Mode>;

// Makes a mode with its overlay, as on the first use of its command. Throws
// CaptureException when the overlay cannot be created (nothing is left behind).
template <class Mode, class... Args>
std::unique_ptr<Mode> MakeCaptureMode(Args&&... args) {
    auto mode = std::make_unique<Mode>(std::forward<Args>(args)...);
    mode->CreateOverlay(OverlayWindowProcedure<Mode>, OverlayMessageMap<Mode>());
    return mode;
}

}  // namespace Vorlune
