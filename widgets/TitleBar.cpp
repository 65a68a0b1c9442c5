#include "widgets/TitleBar.h"

#include "draw/GdiObjectCache.h"
#include "draw/Primitives.h"
#include "ui/GdiOwners.h"
#include "widgets/ToggleButton.h"
#include "widgets/WindowButtons.h"

namespace Vorlune {

// Without the focus until told otherwise: a toolbar shown inactive paints the grey title.
TitleBar::TitleBar(HWND owner, HDC backBuffer, const RECT& bar, HICON icon, std::wstring title)
    : current_(kTitleBarUnfocused), backBuffer_(backBuffer), bar_(bar), caption_(bar), title_(std::move(title)) {
    const LONG h = bar.bottom - bar.top - 2;
    caption_.left = bar.left + 1 + h;
    text_ = {caption_.left + 6, caption_.top + 2, caption_.right, caption_.bottom};
    const auto [l, t, r, b] = bar;
    buttons_.Add(std::make_unique<SystemButton>(owner, RECT{l + 2, t + 2, l + h, t + h}, TextSystemButton, icon));
    buttons_.Add(std::make_unique<CloseButton>(owner, RECT{r - 28, t, r, b - 1}, TextCloseButton));
    buttons_.Add(std::make_unique<MinimizeButton>(owner, RECT{r - 57, t, r - 29, b - 1}, TextMinimizeButton));
    buttons_.Add(std::make_unique<TitleBarToggleButton>(owner, TextCursorToggle, RECT{r - 86, t + 3, r - 58, b - 3}));
}

void TitleBar::Draw() {
    DrawFilledRectangle(backBuffer_, bar_, current_.background, current_.background);
    {
        const SelectGuard font(backBuffer_, GdiCache().GetFont(0).get());
        SetTextColor(backBuffer_, current_.text);
        SetBkColor(backBuffer_, current_.background);
        RECT box = text_;
        DrawTextW(backBuffer_, title_.c_str(), static_cast<int>(title_.size()), &box, DT_VCENTER);
    }
    buttons_.Draw(backBuffer_);
}

void TitleBar::Activate() {
    current_ = kTitleBarFocused;
    buttons_.Activate();
}

void TitleBar::Deactivate() {
    current_ = kTitleBarUnfocused;
    buttons_.Deactivate();
}

bool TitleBar::IsDragArea(POINT point) { return PtInRect(&caption_, point) != FALSE && !buttons_.Pressing(); }

}  // namespace Vorlune
