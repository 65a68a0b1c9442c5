#include "settings_dialog/SettingsPage.h"

#include <algorithm>

#include "app/AppContext.h"

namespace Vorlune {

void SettingsBase::Show() {
    if (dialog_ != nullptr) ShowWindow(dialog_, SW_SHOW);
}

void SettingsBase::Hide() {
    if (dialog_ != nullptr) ShowWindow(dialog_, SW_HIDE);
}

void SettingsBase::Place(HWND dialog) {
    dialog_ = dialog;
    Fit(pageRect_);
}

void SettingsBase::Fit(const RECT& area) const {
    if (dialog_ != nullptr)
        MoveWindow(dialog_, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
}

SIZE SettingsBase::NeededSize() const {
    SIZE needed = {};
    if (dialog_ == nullptr) return needed;
    for (HWND control = GetWindow(dialog_, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
        if ((GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) == 0) continue;  // a placeholder
        RECT at = {};
        GetWindowRect(control, &at);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&at), 2);
        needed = {std::max(needed.cx, at.right), std::max(needed.cy, at.bottom)};
    }
    return needed;
}

void SettingsBase::SetItemText(int id, TextId text) const { SetWindowTextW(Item(id), App().GetText(text).c_str()); }

void LoadCheckBox(HWND box, int stored) {
    SendMessageW(box, BM_SETCHECK, stored == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

int CheckBoxValue(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) != BST_UNCHECKED ? 1 : 0; }

bool LoadTextList(HWND list, std::span<const TextId> entries, int stored) {
    for (TextId entry : entries)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(App().GetText(entry).c_str()));
    if (SendMessageW(list, CB_SETCURSEL, stored, 0) != CB_ERR) return true;
    SendMessageW(list, CB_SETCURSEL, 0, 0);
    return false;
}

void StandIns::OnCommand(WPARAM command, LPARAM control) {
    if (HIWORD(command) != CBN_SELCHANGE) return;
    HWND picked = reinterpret_cast<HWND>(control);
    // A list with images forwards its inner list's notice, which may name either window.
    std::erase_if(lists_, [&](HWND list) { return list == picked || list == GetParent(picked); });
}

bool StandIns::Holds(HWND list) const { return std::find(lists_.begin(), lists_.end(), list) != lists_.end(); }

}  // namespace Vorlune
