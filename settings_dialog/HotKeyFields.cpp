#include "settings_dialog/HotKeyFields.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "app/AppContext.h"
#include "settings/HotKeySetting.h"
#include "settings/SettingsStore.h"
#include "ui/HotKeyRegistration.h"

namespace Vorlune {

namespace {

constexpr TextId kLabels[] = {TextHotKeyRectangle, TextHotKeyWindow,     TextHotKeyHiddenWindow,
                              TextHotKeyDesktop,   TextHotKeyLastRegion, TextHotKeyScrolling};
static_assert(std::size(kLabels) == std::size(kHotKeyButtons));
constexpr int kProbeId = 0xBFFF;  // the last id a program may use

// The toolbar lets its own keys go while the dialog is open, so a key that cannot be
// registered now is held by another program.
bool HeldElsewhere(HotKeyCode code) {
    const HotKeyParts parts = RegistrationParts(code);
    return !HotKeyRegistration(nullptr, kProbeId, parts.modifiers, parts.key).Held();
}

}  // namespace

void HotKeyFields::Load(HWND page) {
    page_ = page;
    refused_ = {};
    SetDlgItemTextW(page_, kGroup, App().GetText(TextHotKeys).c_str());
    for (size_t i = 0; i < std::size(kHotKeyButtons); ++i) {
        SetDlgItemTextW(page_, kFirstLabel + int(i), App().GetText(kLabels[i]).c_str());
        SendDlgItemMessageW(page_, kFirstField + int(i), HKM_SETHOTKEY, StoredHotKey(kHotKeyButtons[i]), 0);
    }
    ShowNotes();
}

void HotKeyFields::Save() const {
    for (size_t i = 0; i < std::size(kHotKeyButtons); ++i)
        Store().SetInt(SectionSettings, HotKeySetting(kHotKeyButtons[i]),
                       ValidHotKey(SendDlgItemMessageW(page_, kFirstField + int(i), HKM_GETHOTKEY, 0, 0)));
}

// Checked here, not by HKM_SETRULES: its rules go by the modifiers alone, so it cannot keep F5
// alone while refusing A alone.
void HotKeyFields::OnCommand(WPARAM command) {
    const size_t i = size_t(LOWORD(command) - kFirstField);
    if (HIWORD(command) != EN_CHANGE || i >= refused_.size()) return;
    HWND field = GetDlgItem(page_, kFirstField + int(i));
    const LRESULT code = SendMessageW(field, HKM_GETHOTKEY, 0, 0);
    // Letting go of a modifier is a change too, with the field still empty: the note stays.
    if (LOBYTE(code) != 0 && ValidHotKey(code) == 0) {
        SendMessageW(field, HKM_SETHOTKEY, 0, 0);
        refused_[i] = true;
    } else if (code != 0) {
        refused_[i] = false;
    }
    ShowNotes();
}

void HotKeyFields::ShowNotes() const {
    HotKeyCode codes[std::size(kHotKeyButtons)] = {};
    for (size_t i = 0; i < std::size(codes); ++i) {
        codes[i] = ValidHotKey(SendDlgItemMessageW(page_, kFirstField + int(i), HKM_GETHOTKEY, 0, 0));
        // Only the first command that has a key gets it.
        const bool twice = codes[i] != 0 && std::find(codes, codes + i, codes[i]) != codes + i;
        const bool elsewhere = codes[i] != 0 && !twice && HeldElsewhere(codes[i]);
        const std::wstring note = refused_[i] ? App().GetText(TextHotKeyNeedsModifier)
                                  : twice     ? App().GetText(TextHotKeyTakenTwice)
                                  : elsewhere ? App().GetText(TextHotKeyTakenElsewhere)
                                              : std::wstring();
        SetDlgItemTextW(page_, kFirstNote + int(i), note.c_str());
    }
}

}  // namespace Vorlune
