#pragma once
#include <windows.h>

#include <vector>

#include "Capture/DwmQueries.h"
#include "Capture/WindowImage.h"

namespace Vorlune {

struct TopLevelEntry {
    HWND window = nullptr;
    // Visible descendants, parents before their own children; empty when not collected.
    std::vector<HWND> children;
};

// The windows a window capture picks from, taken once when it starts, top of the Z-order
// first. Hit-tests read the windows' rectangles live.
class WindowList {
public:
    explicit WindowList(const DwmQueries& dwm) : dwm_(&dwm) {}

    // The visible, uncloaked top-level windows.
    void CollectTopLevel();
    // The same with their visible descendants, except those of the desktop ("Progman").
    void CollectAll();
    // The window under a snapshot point: the deepest nested child of the first top-level
    // window there, or GetDesktopWindow() when there is none.
    HWND HitTest(POINT point) const;
    // The same below a given top-level window; GetDesktopWindow() when it is not listed.
    HWND HitTestWithin(HWND top, POINT point) const;
    // The listed top-level window that is or holds window; null when none does.
    HWND FindTopLevelOf(HWND window) const;
    // For a window disabled by a listed window it owns: that one where the two overlap,
    // else found itself. Null when found is enabled or owns no listed window.
    HWND FindOwnedPopup(HWND found) const;
    // The first listed top-level window, except the desktop, whose bounds hold the point; null when none.
    HWND FirstExceptDesktop(POINT point) const;

    // Pictures of every listed window that can be pictured, each raised in turn; see PictureWindows.
    void CaptureImages(const RECT& screen);
    void ReleaseImages() { images.clear(); }
    const WindowImage* FindImage(HWND window) const;

    // GetWindowBounds and GetCaptureRect in snapshot coordinates, of the virtual screen as
    // it was when the list was taken.
    RECT SnapshotBounds(HWND window) const;
    RECT CaptureRect(HWND topLevel, HWND target) const;
    POINT Origin() const { return origin_; }

    std::vector<TopLevelEntry> windows;
    std::vector<WindowImage> images;

private:
    HWND PickWithin(const TopLevelEntry& entry, POINT point) const;
    const TopLevelEntry* Find(HWND top) const;

    const DwmQueries* dwm_;
    POINT origin_ = {};
};

}  // namespace Vorlune
