#pragma once
#include <windows.h>

namespace Vorlune {

// One hotkey held under an id for a window, or for the calling thread when there is none;
// let go when dropped.
class HotKeyRegistration {
public:
    HotKeyRegistration(HWND window, int id, UINT modifiers, UINT key);
    ~HotKeyRegistration();
    HotKeyRegistration(const HotKeyRegistration&) = delete;
    HotKeyRegistration& operator=(const HotKeyRegistration&) = delete;

    // False when the key was held already, by another program or under another id.
    bool Held() const { return held_; }

private:
    HWND window_;
    int id_;
    bool held_;
};

}  // namespace Vorlune
