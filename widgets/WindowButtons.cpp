#include "widgets/WindowButtons.h"

#include "draw/GdiObjectCache.h"
#include "draw/Primitives.h"

namespace Vorlune {

namespace {

RECT CentredGlyph(const RECT& rect) {
    const LONG cx = rect.left + (rect.right - rect.left) / 2;
    const LONG cy = rect.top + (rect.bottom - rect.top) / 2;
    return {cx - 5, cy - 5, cx + 5, cy + 5};
}

}  // namespace

WindowButton::WindowButton(HWND owner, const RECT& rect, TextId id, const Colour (&backgrounds)[5])
    : Button(owner, rect, id), backgrounds_(backgrounds), glyph_(CentredGlyph(rect)), hint_(owner, rect, id) {}

void WindowButton::Activate() {
    look_ = Look::Focused;
    hint_.ShowIfUnderCursor();
}

void WindowButton::Deactivate() {
    look_ = Look::Unfocused;
    hint_.Hide();
}

void WindowButton::OnMouseEnter() {
    hint_.Hide();
    look_ = pressed ? Look::Held : Look::UnderCursor;
}

void WindowButton::OnMouseLeave() {
    hint_.Hide();
    if (GetActiveWindow() == Owner())
        Activate();
    else
        Deactivate();
}

void WindowButton::Draw(HDC hdc) {
    DrawFilledRectangle(hdc, Rect(), backgrounds_[LookIndex()], backgrounds_[LookIndex()]);
}

void WindowButton::OnLButtonDown(POINT) {
    look_ = Look::Held;
    hint_.Hide();
}

void WindowButton::OnMouseMove(POINT point) { hint_.ShowAt(point); }

CloseButton::CloseButton(HWND owner, const RECT& rect, TextId id) : WindowButton(owner, rect, id, kCloseBackgrounds) {}

void CloseButton::OnLButtonUp(POINT point) {
    if (Contains(point)) PostMessageW(Owner(), WM_CLOSE, 0, 0);
}

void CloseButton::DrawContent(HDC hdc) {
    const auto [l, t, r, b] = Glyph();
    const Colour halo = kCloseHalos[LookIndex()];
    const Colour stroke = kCloseStrokes[LookIndex()];
    DrawLine(hdc, halo, l, t + 1, r - 1, b);
    DrawLine(hdc, halo, l + 1, t, r, b - 1);
    DrawLine(hdc, halo, r - 2, t, l - 1, b - 1);
    DrawLine(hdc, halo, r - 1, t + 1, l, b);
    DrawLine(hdc, stroke, l, t, r, b);
    DrawLine(hdc, stroke, r - 1, t, l - 1, b);
}

MinimizeButton::MinimizeButton(HWND owner, const RECT& rect, TextId id)
    : WindowButton(owner, rect, id, kMinimizeBackgrounds) {}

void MinimizeButton::OnLButtonUp(POINT point) {
    if (Contains(point)) ShowWindow(Owner(), SW_MINIMIZE);
}

void MinimizeButton::DrawContent(HDC hdc) {
    const RECT& glyph = Glyph();
    const LONG y = glyph.top + (glyph.bottom - glyph.top) / 2;
    DrawLine(hdc, kMinimizeGlyphs[LookIndex()], glyph.left, y, glyph.right, y);
}

void SystemButton::OnLButtonUp(POINT point) {
    HMENU menu = GetSystemMenu(Owner(), FALSE);
    if (menu == nullptr) return;
    MENUITEMINFOW greyed = {};
    greyed.cbSize = sizeof greyed;
    greyed.fMask = MIIM_STATE;
    greyed.fState = MFS_GRAYED;
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MAXIMIZE}) SetMenuItemInfoW(menu, command, FALSE, &greyed);
    SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
    POINT at = {0, point.y};
    ClientToScreen(Owner(), &at);
    const UINT command =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Owner(), nullptr));
    if (command != 0) PostMessageW(Owner(), WM_SYSCOMMAND, command, 0);
}

void SystemButton::DrawContent(HDC hdc) {
    const RECT& rect = Rect();
    DrawIconEx(hdc, rect.left, rect.top, icon_, rect.right - rect.left, rect.bottom - rect.top, 0,
               GdiCache().GetBrush(0xFFFFFF).get(), DI_IMAGE);
}

}  // namespace Vorlune
