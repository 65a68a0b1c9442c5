#pragma once
#include <windows.h>

namespace Vorlune {

// The hotkey group of the App. settings page: per command a label, a hotkey control, and a
// note beside it when its key cannot be had.
class HotKeyFields {
public:
    // Control ids on the page, one per command in command order from each first id.
    static constexpr int kGroup = 1032;
    static constexpr int kFirstLabel = 1033;
    static constexpr int kFirstField = 1037;
    static constexpr int kFirstNote = 1041;

    void Load(HWND page);
    void Save() const;
    // A changed key is looked at at once.
    void OnCommand(WPARAM command) const;

private:
    void ShowNotes() const;

    HWND page_ = nullptr;
};

}  // namespace Vorlune
