#include "Capture/WindowPictures.h"

#include <optional>

#include "Capture/WindowBounds.h"
#include "ui/Geometry.h"

namespace Vorlune {

namespace {

constexpr UINT kStackOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
// How long a window may take to answer, and how many paints it may need, before it is
// pictured as it is.
constexpr UINT kAnswerMilliseconds = 250;
constexpr int kRepaintRounds = 10;
constexpr int kCleanRounds = 3;
// How long apart two copies of a raised window are taken, and how often at most.
constexpr DWORD kSettleMilliseconds = 15;
constexpr int kSettleRounds = 10;

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
// paint was left, the last paint is done too. Three times: where the drawing reaches the
// screen in steps, one turn of that loop each (Wine's X11 driver: the restacking sent, its
// exposure read, the exposed part put back), the steps are done by then. Bounded: a slow
// window is pictured as it is.
void AwaitRepaint(HWND window, const DwmQueries& dwm) {
    for (int round = 0, clean = 0; round < kRepaintRounds && clean < kCleanRounds; ++round) {
        clean = PaintPending(window) ? 0 : clean + 1;
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT, kAnswerMilliseconds, &result))
            break;
    }
    dwm.Flush();
}

// Whether a window above the one at index stands over part of its bounds.
bool CoveredFromAbove(const std::vector<TopLevelEntry>& windows, size_t index, const RECT& bounds, const DwmQueries& dwm) {
    for (size_t i = 0; i < index; ++i)
        if (IsWindowVisible(windows[i].window) && HasArea(Intersect(GetWindowBounds(windows[i].window, dwm), bounds)))
            return true;
    return false;
}

// The raising reaches the screen through the window's own program, which may pass it on only
// after it answered us: a window that was covered is pictured once two copies a moment apart
// agree. Bounded: a window that never stands still is pictured as it is.
std::optional<WindowImage> SettledPicture(HWND window, const RECT& bounds) {
    std::optional<WindowImage> picture = WindowImage::FromScreen(window, bounds);
    for (int round = 0; picture && round < kSettleRounds; ++round) {
        Sleep(kSettleMilliseconds);
        std::optional<WindowImage> again = WindowImage::FromScreen(window, bounds);
        if (!again || again->SamePixels(*picture)) break;
        picture.reset();  // never three pictures at once
        picture.emplace(std::move(*again));
    }
    return picture;
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

private:
    const std::vector<TopLevelEntry>& windows_;
    std::vector<bool> topmost_;
    std::vector<bool> hung_;
    std::vector<bool> raised_;
};

}  // namespace

std::vector<WindowImage> PictureWindows(const std::vector<TopLevelEntry>& windows, const RECT& screen,
                                        const DwmQueries& dwm) {
    std::vector<WindowImage> images;
    StackGuard guard(windows);
    for (size_t i = windows.size(); i-- > 0;) {
        const HWND window = windows[i].window;
        // Checked at its turn: raising the ones below may have made it hide itself.
        if (guard.Hung(i) || !IsWindowVisible(window) || IsIconic(window)) continue;
        const RECT bounds = GetWindowBounds(window, dwm);
        if (!HasArea(Intersect(bounds, screen))) continue;
        const bool covered = CoveredFromAbove(windows, i, bounds, dwm);
        SetForegroundWindow(window);
        // Never SWP_SHOWWINDOW: a window that hides itself now must stay hidden.
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        guard.Raised(i);
        AwaitRepaint(window, dwm);
        auto image = covered ? SettledPicture(window, bounds) : WindowImage::FromScreen(window, bounds);
        if (image) images.push_back(std::move(*image));
    }
    return images;
}

}  // namespace Vorlune
