#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "draw/ToolTipWorker.h"

namespace Vorlune {

inline constexpr wchar_t kToolTipClassName[] = L"MySimpleTooltip";

// The top-left corner of a hint of textSize for the cursor at point: below the cursor and
// never over the button (whose top and bottom are given in screen coordinates), above the
// button when it would reach the work area's bottom, left of the cursor when it would reach
// the right.
POINT PlaceToolTip(POINT point, SIZE textSize, int cursorHeight, LONG buttonTop, LONG buttonBottom,
                   const RECT& workArea);

// The one hint window of the toolbar's buttons. It shows 500 ms after the latest request,
// only while the toolbar is visible, and hides after 2 seconds, when the mouse moves onto
// it, or when a button asks.
class ToolTipImpl {
public:
    ToolTipImpl() = default;
    ToolTipImpl(const ToolTipImpl&) = delete;
    ToolTipImpl& operator=(const ToolTipImpl&) = delete;

    // Creates the window once, owned by owner, whose client coordinates the button rectangles
    // use; later calls change nothing.
    void Create(HWND owner);
    void Show(POINT screenPoint, const RECT& rect, const std::wstring& text);
    void Hide();
    HWND Window() const { return window_; }

private:
    static constexpr UINT_PTR kHideTimer = 100;
    static constexpr UINT kDueMessage = WM_APP + 1;

    void OnDue(WPARAM serial);
    void OnTimer(WPARAM id);
    void Paint();

    HWND owner_ = nullptr;
    HWND window_ = nullptr;
    std::wstring text_;
    POINT point_ = {};
    RECT rect_ = {};
    int dpi_ = 96;  // of the monitor it shows on
    ToolTipWorker worker_;
};

ToolTipImpl& TheToolTip();

// A button's way to the hint window; the first one built creates the window.
class ToolTipHandle {
public:
    ToolTipHandle(HWND owner, const RECT& rect);

    const RECT& Rect() const { return rect_; }
    // Pads the text with a space on each side.
    void ShowToolTip(POINT screenPoint, const std::wstring& text) const;
    void HideToolTip() const;

private:
    RECT rect_;
};

}  // namespace Vorlune
