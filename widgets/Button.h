#pragma once
#include <windows.h>

#include <climits>

#include "core/TextId.h"

namespace Vorlune {

class AppContext;

// One owner-drawn button of the toolbar, painted into the back buffer and driven by its
// ButtonList. Its id is also its text id.
class Button {
public:
    // rect is in the toolbar's client coordinates at dpi.
    Button(HWND owner, const RECT& rect, TextId id, int dpi);
    virtual ~Button() = default;
    Button(const Button&) = delete;
    Button& operator=(const Button&) = delete;

    virtual void Activate() = 0;
    virtual void Deactivate() = 0;
    virtual void OnMouseEnter() = 0;
    virtual void OnMouseLeave() = 0;
    virtual void Draw(HDC hdc) = 0;
    // The point may lie outside the button.
    virtual void OnLButtonUp(POINT point) = 0;
    virtual void OnLButtonDown(POINT point) = 0;
    virtual void OnMouseMove(POINT point) = 0;
    // The click released at releasedAt (inside the button) runs it.
    virtual void Execute(POINT releasedAt) = 0;
    virtual void DrawContent(HDC hdc) = 0;
    // The press ended without a release (the mouse capture went elsewhere): released at a
    // point outside every button, so nothing runs.
    virtual void OnPressCancelled() { OnLButtonUp({LONG_MIN, LONG_MIN}); }

    HWND Owner() const { return owner_; }
    const RECT& Rect() const { return rect_; }
    TextId Id() const { return id_; }
    int Dpi() const { return dpi_; }
    bool Contains(POINT point) const { return PtInRect(&rect_, point) != FALSE; }

    // Kept by the ButtonList.
    bool pressed = false;
    bool hover = false;

protected:
    AppContext& texts_;

private:
    HWND owner_;
    RECT rect_;
    TextId id_;
    int dpi_;
};

}  // namespace Vorlune
