#include "widgets/WindowButtons.h"

#include "draw/GdiObjectCache.h"
#include "core/Dpi.h"
#include "core/ToolbarLayout.h"
#include "draw/Primitives.h"
#include "ui/Geometry.h"

namespace Vorlune {

namespace {

constexpr Size kGlyphSize = {10, 10};

}  // namespace

WindowButton::WindowButton(HWND owner, const RECT& rect, TextId id, int dpi, const Colour (&backgrounds)[5])
    : Button(owner, rect, id, dpi),
      backgrounds_(backgrounds),
      glyph_(ToWin(CentredPicture(ToCore(rect), kGlyphSize, dpi))),
      hint_(owner, rect, id) {}

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

CloseButton::CloseButton(HWND owner, const RECT& rect, TextId id, int dpi)
    : WindowButton(owner, rect, id, dpi, kCloseBackgrounds) {}

void CloseButton::OnLButtonUp(POINT point) {
    if (Contains(point)) PostMessageW(Owner(), WM_CLOSE, 0, 0);
}

void CloseButton::DrawContent(HDC hdc) {
    const auto [l, t, r, b] = Glyph();
    const Colour halo = kCloseHalos[LookIndex()];
    const Colour stroke = kCloseStrokes[LookIndex()];
    // Each stroke with a halo just beside it on both sides, as wide as the stroke.
    const int w = LineWidth(Dpi());
    DrawLine(hdc, halo, l, t + w, r - w, b, w);
    DrawLine(hdc, halo, l + w, t, r, b - w, w);
    DrawLine(hdc, halo, r - 1 - w, t, l - 1, b - w, w);
    DrawLine(hdc, halo, r - 1, t + w, l - 1 + w, b, w);
    DrawLine(hdc, stroke, l, t, r, b, w);
    DrawLine(hdc, stroke, r - 1, t, l - 1, b, w);
}

MinimizeButton::MinimizeButton(HWND owner, const RECT& rect, TextId id, int dpi)
    : WindowButton(owner, rect, id, dpi, kMinimizeBackgrounds) {}

void MinimizeButton::OnLButtonUp(POINT point) {
    if (Contains(point)) ShowWindow(Owner(), SW_MINIMIZE);
}

void MinimizeButton::DrawContent(HDC hdc) {
    const RECT& glyph = Glyph();
    const LONG y = glyph.top + (glyph.bottom - glyph.top) / 2;
    DrawLine(hdc, kMinimizeGlyphs[LookIndex()], glyph.left, y, glyph.right, y, LineWidth(Dpi()));
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
