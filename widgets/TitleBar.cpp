#include "widgets/TitleBar.h"

#include "draw/GdiObjectCache.h"
#include "draw/Primitives.h"
#include "ui/GdiOwners.h"
#include "ui/Geometry.h"
#include "widgets/ToggleButton.h"
#include "widgets/WindowButtons.h"

namespace Vorlune {

// Without the focus until told otherwise: a toolbar shown inactive paints the grey title.
TitleBar::TitleBar(HWND owner, HDC backBuffer, const TitleBarLayout& layout, int dpi, HICON icon, std::wstring title)
    : current_(kTitleBarUnfocused),
      dpi_(dpi),
      backBuffer_(backBuffer),
      bar_(ToWin(layout.bar)),
      caption_(ToWin(layout.caption)),
      text_(ToWin(layout.text)),
      title_(std::move(title)) {
    buttons_.Add(std::make_unique<SystemButton>(owner, ToWin(layout.system), TextSystemButton, dpi, icon));
    buttons_.Add(std::make_unique<CloseButton>(owner, ToWin(layout.close), TextCloseButton, dpi));
    buttons_.Add(std::make_unique<MinimizeButton>(owner, ToWin(layout.minimise), TextMinimizeButton, dpi));
    buttons_.Add(std::make_unique<TitleBarToggleButton>(owner, TextCursorToggle, ToWin(layout.cursorToggle), dpi));
}

void TitleBar::Draw() {
    DrawFilledRectangle(backBuffer_, bar_, current_.background, current_.background);
    {
        const SelectGuard font(backBuffer_, GdiCache().GetFont(0, dpi_).get());
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
