#include "widgets/ToggleButton.h"

#include <string>

#include "app/AppContext.h"
#include "draw/GdiObjectCache.h"
#include "core/Dpi.h"
#include "core/ToolbarLayout.h"
#include "draw/Primitives.h"
#include "settings/SettingsStore.h"
#include "ui/GdiOwners.h"
#include "ui/Geometry.h"

namespace Vorlune {

ToggleButton::ToggleButton(HWND owner, TextId id, const RECT& rect, int dpi, const ToggleTable& colours)
    : Button(owner, rect, id, dpi), active_(colours), current_(colours[0]), hint_(owner, rect, id) {
    Load();
    Show(Resting(on_, false));
}

ToggleButton::Look ToggleButton::Resting(bool on, bool underCursor) {
    if (underCursor) return on ? Look::OnUnderCursor : Look::OffUnderCursor;
    return on ? Look::On : Look::Off;
}

void ToggleButton::Load() {
    on_ = Store().GetToggle(Id()) == 1;
    ApplyLanguage();
}

void ToggleButton::ApplyLanguage() {
    if (Id() == TextLanguageToggle) texts_.Language = on_ ? 1 : 0;
}

void ToggleButton::Activate() {
    Load();
    const bool inside = hint_.ShowIfUnderCursor();
    Show(Resting(on_, inside));
}

void ToggleButton::Deactivate() { hint_.Hide(); }

// While held, the look of the state a release would give.
void ToggleButton::OnMouseEnter() {
    Show(Resting(on_ != pressed, true));
    hint_.Hide();
}

void ToggleButton::OnMouseLeave() {
    Show(pressed ? Look::Held : Resting(on_, false));
    hint_.Hide();
}

void ToggleButton::Draw(HDC hdc) {
    DrawFilledRectangle(hdc, Rect(), current_.fill, current_.fill);
    DrawBevelFrame(hdc, current_.topLeft, current_.bottomRight, Rect(), LineWidth(Dpi()));
}

void ToggleButton::OnLButtonUp(POINT point) {
    if (!Contains(point)) {
        Show(Resting(on_, false));
        return;
    }
    Show(Resting(!on_, true));
    on_ = !on_;
    Store().SetToggle(Id(), on_ ? 1 : 0);
}

void ToggleButton::OnLButtonDown(POINT) {
    Show(Look::Held);
    hint_.Hide();
}

void ToggleButton::OnMouseMove(POINT point) { hint_.ShowAt(point); }

void ToggleButton::Execute(POINT) { ApplyLanguage(); }

void ToggleButton::Show(Look look) { current_ = active_[static_cast<int>(look)]; }

void ToggleButton::DrawContent(HDC hdc) {
    const RECT& rect = Rect();
    const int one = Scaled(1, Dpi());
    RECT box = {rect.left - Scaled(4, Dpi()) + (rect.right - rect.left) / 2, rect.top + one, rect.right - one,
                rect.bottom - one};
    const std::wstring digit = std::to_wstring(Id() - 4);
    const SelectGuard font(hdc, GdiCache().GetFont(1, Dpi()).get());
    SetTextColor(hdc, 0x808080);
    SetBkColor(hdc, current_.fill);
    DrawTextW(hdc, digit.c_str(), static_cast<int>(digit.size()), &box, DT_VCENTER);
}

TitleBarToggleButton::TitleBarToggleButton(HWND owner, TextId id, const RECT& rect, int dpi, const PictureIds& pictures,
                                           SIZE pictureSize)
    : ToggleButton(owner, id, rect, dpi, kTitleBarToggleColours),
      bitmapAt_(TopLeft(ToWin(CentredPicture(ToCore(rect), ToCore(pictureSize), dpi)))),
      picture_(App().instance, pictures, pictureSize, 0xFFFFFF, dpi) {}

void TitleBarToggleButton::DrawContent(HDC hdc) { picture_.Draw(hdc, bitmapAt_); }

}  // namespace Vorlune
