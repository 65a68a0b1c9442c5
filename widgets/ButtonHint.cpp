#include "widgets/ButtonHint.h"

#include "app/AppContext.h"
#include "settings/SettingsStore.h"

namespace Vorlune {

ButtonHint::ButtonHint(HWND owner, const RECT& rect, TextId id) : owner_(owner), id_(id), handle_(owner, rect) {}

void ButtonHint::ShowAt(POINT client) const {
    POINT screen = client;
    ClientToScreen(owner_, &screen);
    const std::wstring text = App().GetText(id_);
    if (Store().GetInt(SectionSettings, KeyButtonToolTip) == 1) handle_.ShowToolTip(screen, text);
}

bool ButtonHint::ShowIfUnderCursor() const {
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(owner_, &cursor);
    const bool inside = PtInRect(&handle_.Rect(), cursor) != FALSE;
    if (inside) ShowAt(cursor);
    return inside;
}

}  // namespace Vorlune
