#include "Capture/WindowPictures.h"

#include "Capture/WindowBounds.h"
#include "ui/Geometry.h"
#include "ui/ScreenLeave.h"
#include "ui/WindowVisibility.h"

namespace Vorlune {

namespace {

constexpr UINT kStackOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
// How long a window may take to answer, and how many paints it may need, before it is
// pictured as it is.
constexpr UINT kAnswerMilliseconds = 250;
constexpr int kRepaintRounds = 10;
// How long the pixels of a raised window that answered may take to reach the screen.
constexpr DWORD kShownMilliseconds = 200;

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

BOOL CALLBACK StopAtUpdate(HWND child, LPARAM param) {
    if (!GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(param) = true;
    return FALSE;
}

bool PaintPending(HWND window) {
    bool pending = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!pending) EnumChildWindows(window, StopAtUpdate, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

// The window's thread answers only from its message loop, so once it answered after no
// paint was left, the last paint is done too; whether the screen shows it yet is the cover's
// to tell (CoverOf). Bounded: a slow window is pictured as it is. False when the window
// stopped answering.
bool AwaitRepaint(HWND window, const DwmQueries& dwm) {
    bool answered = true, painted = false;
    for (int round = 0; answered && !painted && round < kRepaintRounds; ++round) {
        painted = !PaintPending(window);
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT, kAnswerMilliseconds,
                                       &result) != 0;
    }
    dwm.Flush();
    return answered;
}

// Takes the topmost style off the listed topmost windows and gives it back, and puts every
// window that was not raised back under its former upper neighbour, also when the
// picturing is cut short. Hung windows are never touched.
class StackGuard {
public:
    explicit StackGuard(const std::vector<TopLevelEntry>& windows)
        : windows_(windows), topmost_(windows.size()), hung_(windows.size()), raised_(windows.size()) {
        for (size_t i = windows.size(); i-- > 0;) {
            // One that has not read its messages for a while would block every call on it.
            hung_[i] = IsHungAppWindow(windows[i].window) != FALSE;
            topmost_[i] = IsTopmost(windows[i].window);
            if (topmost_[i] && !hung_[i]) SetWindowPos(windows[i].window, HWND_NOTOPMOST, 0, 0, 0, 0, kStackOnly);
        }
    }
    ~StackGuard() {
        // From the bottom up: each one goes to the top of the topmost band, so the highest ends highest.
        for (size_t i = windows_.size(); i-- > 0;)
            if (topmost_[i] && !hung_[i]) SetWindowPos(windows_[i].window, HWND_TOPMOST, 0, 0, 0, 0, kStackOnly);
        // From the top down, so each upper neighbour already stands where it belongs. The raised
        // ones stand in order among themselves, but not below a hung one, which stayed put.
        bool hungAbove = false;
        for (size_t i = 0; i < windows_.size(); ++i) {
            if (hung_[i]) hungAbove = true;
            if (hung_[i] || (raised_[i] && !hungAbove)) continue;
            const bool sameBand = i > 0 && topmost_[i - 1] == topmost_[i];
            SetWindowPos(windows_[i].window, sameBand ? windows_[i - 1].window : HWND_TOP, 0, 0, 0, 0, kStackOnly);
        }
    }
    StackGuard(const StackGuard&) = delete;
    StackGuard& operator=(const StackGuard&) = delete;

    bool Hung(size_t i) const { return hung_[i]; }
    void Raised(size_t i) { raised_[i] = true; }
    bool IsRaised(size_t i) const { return raised_[i]; }

private:
    const std::vector<TopLevelEntry>& windows_;
    std::vector<bool> topmost_;
    std::vector<bool> hung_;
    std::vector<bool> raised_;
};

// What the windows above the one at index show of its bounds: the parts its raising must
// bring to the screen, each until it no longer shows what covered it. Above it stand the ones
// above it in the list and the ones below it raised already. A window's pixels reach the
// screen through its own program (under X, each thread of it reads its own windows'
// exposures), which need not be done when the window answered.
ScreenLeave CoverOf(const std::vector<TopLevelEntry>& windows, const std::vector<RECT>& bounds, size_t index,
                    const StackGuard& guard, const RECT& screen) {
    std::vector<RECT> parts;
    for (size_t i = 0; i < windows.size(); ++i)
        if ((i < index || (i > index && guard.IsRaised(i))) && IsWindowVisible(windows[i].window))
            parts.push_back(Intersect(bounds[i], bounds[index]));
    ScreenLeave cover;
    cover.NoteAreas(parts, screen);
    return cover;
}

}  // namespace

std::vector<WindowImage> PictureWindows(const std::vector<TopLevelEntry>& windows, const RECT& screen,
                                        const DwmQueries& dwm) {
    std::vector<WindowImage> images;
    StackGuard guard(windows);
    // Read once: nothing moves while the windows are pictured.
    std::vector<RECT> bounds;
    for (const TopLevelEntry& entry : windows) bounds.push_back(GetWindowBounds(entry.window, dwm));
    for (size_t i = windows.size(); i-- > 0;) {
        const HWND window = windows[i].window;
        // Checked at its turn: raising the ones below may have made it hide itself.
        if (guard.Hung(i) || !IsWindowVisible(window) || IsIconic(window) || !HasArea(Intersect(bounds[i], screen)))
            continue;
        ScreenLeave cover = CoverOf(windows, bounds, i, guard, screen);
        SetForegroundWindow(window);
        // Never SWP_SHOWWINDOW: a window that hides itself now must stay hidden.
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        guard.Raised(i);
        if (AwaitRepaint(window, dwm)) cover.Await(kShownMilliseconds);
        auto image = WindowImage::FromScreen(window, bounds[i]);
        if (image) images.push_back(std::move(*image));
    }
    RenewMessageTime();  // so the overlay can take the keyboard back from the last one raised
    return images;
}

}  // namespace Vorlune
