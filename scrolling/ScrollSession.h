#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "Capture/CaptureRequest.h"
#include "core/ScrollStitch.h"
#include "scrolling/ScrollTarget.h"

namespace Vorlune {

// What a scrolling capture scrolls and grabs.
struct ScrollJob {
    RECT area = {};  // screen coordinates
    HWND target = nullptr;  // the window scrolled
    ScrollAxis axis = ScrollAxis::Down;
    bool byHand = false;  // the user scrolls; else it is scrolled for them
    int maxLength = 30000;
};

class ScrollControl;

// One scrolling capture: the area grabbed as it stands, then, scrolled step by step (or by the
// user), each grab stitched to the image so far until the page ends, a step cannot be matched,
// the limit is reached, or the user stops it; the image then goes through the output step.
// Escape ends it with nothing output.
class ScrollSession {
public:
    ScrollSession(ScrollJob job, HWND owner, CaptureRequest request, std::function<void(CaptureResult)> onEnded);
    ~ScrollSession();
    ScrollSession(const ScrollSession&) = delete;
    ScrollSession& operator=(const ScrollSession&) = delete;

    // The first grab, the control window, the first step. Throws when the area cannot be
    // grabbed or the window not made.
    void Start();

private:
    // From a first grab: a stitcher of its own, every way tried afresh, the first step.
    void Begin(ScrollFrame first);
    void OnTick();
    // Enter or Stop: the image kept as it stands.
    void Stop();
    // M: the user scrolls from now on; what is stitched stays.
    void TurnToByHand();
    // H: sideways from where the window stands, anew.
    void TurnAcross();
    void Step();
    void Settle();
    void Accept(const ScrollFrame& grab);
    void ShowProgress();
    // What became of it, in a line.
    std::wstring StateLine(const ScrollStitcher& stitcher) const;
    // Ends it once: the image output when kept, then onEnded.
    void End(bool keep);

    ScrollJob job_;
    HWND owner_;
    CaptureRequest request_;
    std::function<void(CaptureResult)> onEnded_;
    std::unique_ptr<ScrollStitcher> stitcher_;
    std::unique_ptr<ScrollControl> control_;
    ScrollWay way_ = ScrollWay::LineMessages;
    bool wayMoved_ = false;  // the way in use has moved the picture
    bool measured_ = false;  // the lines of a step are known to move about half the area
    int lines_ = 3;
    bool notMoving_ = false;
    // Settling after a step: the picture before it, the last grab, and when the step was made.
    ScrollFrame beforeStep_;
    ScrollFrame lastTick_;
    bool changed_ = false;
    DWORD steppedAt_ = 0;
    bool ended_ = false;
};

// Starts the one scrolling capture (one that ended before is let go); onEnded gets its result
// once it has ended, output or cancelled. Throws as Start does.
void StartScrollingCapture(ScrollJob job, HWND owner, CaptureRequest request,
                           std::function<void(CaptureResult)> onEnded);

}  // namespace Vorlune
