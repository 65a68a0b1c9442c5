#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Capture/CaptureBase.h"

namespace Vorlune::Test {

// A hidden top-level window, to own overlays as the toolbar does.
class OwnerWindow {
public:
    OwnerWindow() : hwnd_(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)) {}
    ~OwnerWindow() { DestroyWindow(hwnd_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND Handle() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

// A plain window filled with one colour, to put something known on the screen.
class ColourWindow {
public:
    ColourWindow(const RECT& screenRect, COLORREF colour);
    ~ColourWindow();
    ColourWindow(const ColourWindow&) = delete;
    ColourWindow& operator=(const ColourWindow&) = delete;
    HWND Handle() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;  // of a class of its own, whose brush it frees
};

// Records what reaches it: a left press starts a drag, Escape drops it, Enter outputs the whole screen.
class ProbeCapture : public CaptureBase {
public:
    explicit ProbeCapture(HWND owner, std::wstring name = L"ProbeCapture") : CaptureBase(owner, std::move(name)) {}

    void Begin() { Act([this] { ++finished; }); }  // Act with a callback that counts
    HWND Window() const { return overlay; }
    const ScreenSnapshot* Frozen() const { return snapshot.get(); }
    std::vector<POINT> PointsOf(UINT message) const {
        std::vector<POINT> points;
        for (const auto& [m, p] : events)
            if (m == message) points.push_back(p);
        return points;
    }

    std::vector<std::pair<UINT, POINT>> events;
    int finished = 0;
    std::function<void(POINT)> onLButtonUp;  // to make a handler fail

protected:
    void Prepare() override { TakeSnapshot(); }
    void Start() override { ShowOverlay(); }
    void OnLButtonDown(POINT point) override { dragging = true, events.push_back({WM_LBUTTONDOWN, point}); }
    void OnLButtonUp(POINT point) override {
        events.push_back({WM_LBUTTONUP, point});
        if (onLButtonUp) onLButtonUp(point);
    }
    void OnMouseMove(POINT point) override { events.push_back({WM_MOUSEMOVE, point}); }
    bool OnKeyDown(WPARAM key) override {
        if (key == VK_RETURN) FinishWholeScreen();
        return key == VK_RETURN || (key == VK_ESCAPE && CancelDrag());
    }
};

// Makes cursor the current one, with the mouse at (x, y) over a window of this test.
class CurrentCursor {
public:
    CurrentCursor(HCURSOR cursor, int x, int y);
    bool Ready() const { return ready_; }

private:
    ColourWindow window_;
    bool ready_ = false;
};

// 32 x 32, hot spot (5, 7): a black 3 x 3 square from the hot spot and a white pixel at (10, 12).
HCURSOR MakeTestCursor();

bool Contains(const std::vector<POINT>& points, POINT wanted);
// Puts the real cursor at a screen point and waits until it is there.
bool PlaceCursor(POINT screen);
// Real key input in one batch, each key pressed and released.
void TypeKeys(std::initializer_list<WORD> keys);

COLORREF ScreenPixel(int x, int y);

}  // namespace Vorlune::Test
