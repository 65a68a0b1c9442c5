#include "draw/ToolTip.h"

#include "draw/GdiObjectCache.h"
#include "draw/ToolTipBox.h"
#include "ui/Dpi.h"
#include "ui/GdiOwners.h"
#include "ui/MessageMap.h"
#include "ui/VirtualScreen.h"

namespace Vorlune {

POINT PlaceToolTip(POINT point, SIZE textSize, int cursorHeight, LONG buttonTop, LONG buttonBottom,
                   const RECT& workArea) {
    POINT at = {point.x, point.y + 2 * cursorHeight / 3};
    if (at.y < buttonBottom) at.y = buttonBottom + 1;
    if (at.y + textSize.cy >= workArea.bottom) at.y = buttonTop - textSize.cy - 1;
    if (at.x + textSize.cx >= workArea.right) at.x = at.x + 1 - textSize.cx;
    return at;
}

void ToolTipImpl::Create(HWND owner) {
    if (owner_ != nullptr) return;
    owner_ = owner;
    MessageMap& map = ClassMessageMap<ToolTipImpl>();
    map.AddHandler(WM_PAINT, this, &ToolTipImpl::Paint);
    map.AddHandler(WM_MOUSEMOVE, this, &ToolTipImpl::Hide);
    map.AddHandler(WM_TIMER, this, &ToolTipImpl::OnTimer);
    map.AddHandler(kDueMessage, this, &ToolTipImpl::OnDue);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ClassWindowProcedure<ToolTipImpl>;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GdiCache().GetBrush(kToolTipBackground).get();
    wc.lpszClassName = kToolTipClassName;
    RegisterClassExW(&wc);
    // Not owned by the toolbar: Wine puts an owner that is made topmost below the windows it
    // owns, and then clears its topmost style. A tool window needs no owner to stay off the taskbar.
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kToolTipClassName, nullptr, WS_POPUP, 0, 0, 1, 1,
                              nullptr, nullptr, nullptr, nullptr);
    if (window_ == nullptr) return;
    SetWindowDisplayAffinity(window_, WDA_EXCLUDEFROMCAPTURE);  // where Windows can: never in a frozen screen
    worker_.SetTarget(window_, kDueMessage);
    Hide();
}

void ToolTipImpl::Show(POINT screenPoint, const RECT& rect, const std::wstring& text) {
    point_ = screenPoint;
    rect_ = rect;
    text_ = L" " + text + L" ";
    worker_.Request();
}

void ToolTipImpl::Hide() {
    worker_.Cancel();
    if (window_ == nullptr) return;
    ShowWindow(window_, SW_HIDE);
    KillTimer(window_, kHideTimer);
}

// Only the latest request counts, and never while the toolbar is away (a capture hid it).
void ToolTipImpl::OnDue(WPARAM serial) {
    if (!worker_.IsPending(serial) || !IsWindowVisible(owner_) || IsIconic(owner_)) return;
    dpi_ = DpiAt(point_);
    SIZE size = {};
    if (const ScreenDC dc(window_); dc.get() != nullptr) size = MeasureToolTipText(dc.get(), text_, dpi_);
    POINT top = {0, rect_.top};
    POINT bottom = {0, rect_.bottom};
    ClientToScreen(owner_, &top);
    ClientToScreen(owner_, &bottom);
    const POINT at = PlaceToolTip(point_, size, GetSystemMetrics(SM_CYCURSOR), top.y, bottom.y, WorkAreaAt(point_));
    // Shown without the activation, which would take the focus from the toolbar.
    SetWindowPos(window_, HWND_TOPMOST, at.x, at.y, size.cx + 1, size.cy + 1, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_, nullptr, FALSE);
    SetTimer(window_, kHideTimer, 2000, nullptr);
}

void ToolTipImpl::OnTimer(WPARAM id) {
    if (id != kHideTimer) return;
    ShowWindow(window_, SW_HIDE);
    KillTimer(window_, kHideTimer);
}

void ToolTipImpl::Paint() {
    PAINTSTRUCT ps = {};
    HDC dc = BeginPaint(window_, &ps);
    RECT client = {};
    GetClientRect(window_, &client);
    PaintToolTipBox(dc, {0, 0, client.right - 1, client.bottom - 1}, text_, dpi_);
    EndPaint(window_, &ps);
}

ToolTipImpl& TheToolTip() {
    static ToolTipImpl tooltip;
    return tooltip;
}

ToolTipHandle::ToolTipHandle(HWND owner, const RECT& rect) : rect_(rect) { TheToolTip().Create(owner); }

void ToolTipHandle::ShowToolTip(POINT screenPoint, const std::wstring& text) const {
    TheToolTip().Show(screenPoint, rect_, text);
}

void ToolTipHandle::HideToolTip() const { TheToolTip().Hide(); }

}  // namespace Vorlune
