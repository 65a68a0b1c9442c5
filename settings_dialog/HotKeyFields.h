#pragma once
#include <windows.h>

#include <array>
#include <iterator>

#include "resources/resource.h"
#include "settings/HotKeySetting.h"

namespace Vorlune {

// The hotkey group of the App. settings page: per command a label, a hotkey control, and a
// note beside it when its key cannot be had or was refused.
class HotKeyFields {
public:
    // Control ids on the page, one per command in command order from each first id.
    static constexpr int kGroup = IDC_HOTKEY_GROUP;
    static constexpr int kFirstLabel = IDC_HOTKEY_RECTANGLE_LABEL;
    static constexpr int kFirstField = IDC_HOTKEY_RECTANGLE;
    static constexpr int kFirstNote = IDC_HOTKEY_RECTANGLE_NOTE;

    void Load(HWND page);
    void Save() const;
    // A changed key is looked at at once; a key no hotkey may be clears its field.
    void OnCommand(WPARAM command);

private:
    void ShowNotes() const;

    HWND page_ = nullptr;
    // Until a key goes into the field again.
    std::array<bool, std::size(kHotKeyButtons)> refused_{};
};

}  // namespace Vorlune
