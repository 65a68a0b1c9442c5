#include "widgets/ToggleButton.h"

#include <string>

#include "app/AppContext.h"
#include "draw/GdiObjectCache.h"
#include "draw/Primitives.h"
#include "resources/resource.h"
#include "settings/SettingsStore.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

ToggleButton::ToggleButton(HWND owner, TextId id, const RECT& rect, const ToggleTable& colours)
    : Button(owner, rect, id), active_(colours), current_(colours[0]), hint_(owner, rect, id) {
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
    DrawBevelFrame(hdc, current_.topLeft, current_.bottomRight, Rect());
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

void ToggleButton::Execute() { ApplyLanguage(); }

void ToggleButton::Show(Look look) { current_ = active_[static_cast<int>(look)]; }

void ToggleButton::DrawContent(HDC hdc) {
    const RECT& rect = Rect();
    RECT box = {rect.left - 4 + (rect.right - rect.left) / 2, rect.top + 1, rect.right - 1, rect.bottom - 1};
    const std::wstring digit = std::to_wstring(Id() - 4);
    const SelectGuard font(hdc, GdiCache().GetFont(1).get());
    SetTextColor(hdc, 0x808080);
    SetBkColor(hdc, current_.fill);
    DrawTextW(hdc, digit.c_str(), static_cast<int>(digit.size()), &box, DT_VCENTER);
}

TitleBarToggleButton::TitleBarToggleButton(HWND owner, TextId id, const RECT& rect)
    : ToggleButton(owner, id, rect, kTitleBarToggleColours),
      bitmapAt_{rect.left + (rect.right - rect.left - 10) / 2, rect.top + (rect.bottom - rect.top - 15) / 2},
      picture_(App().instance, IDB_CURSOR, SIZE{10, 15}, 0xFFFFFF) {}

void TitleBarToggleButton::DrawContent(HDC hdc) { picture_.Draw(hdc, bitmapAt_); }

}  // namespace Vorlune
