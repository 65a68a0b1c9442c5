#include "widgets/TitleBar.h"

#include "draw/GdiObjectCache.h"
#include "draw/Primitives.h"
#include "resources/resource.h"
#include "ui/GdiOwners.h"
#include "ui/Geometry.h"
#include "widgets/ToggleButton.h"
#include "widgets/WindowButtons.h"

namespace Vorlune {

namespace {
constexpr PictureIds kCursorPicture = {IDB_CURSOR, IDB_CURSOR_150, IDB_CURSOR_200};
constexpr SIZE kCursorPictureSize = {10, 15};
constexpr PictureIds kPenPicture = {IDB_PEN, IDB_PEN_150, IDB_PEN_200};
constexpr SIZE kPenPictureSize = {15, 15};
}  // namespace

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
    buttons_.Add(std::make_unique<TitleBarToggleButton>(owner, TextCursorToggle, ToWin(layout.cursorToggle), dpi,
                                                        kCursorPicture, kCursorPictureSize));
    buttons_.Add(std::make_unique<TitleBarToggleButton>(owner, TextMarkUpToggle, ToWin(layout.markUpToggle), dpi,
                                                        kPenPicture, kPenPictureSize));
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
