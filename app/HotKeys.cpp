#include "app/HotKeys.h"

#include <list>
#include <set>

#include "app/CommandDispatch.h"
#include "settings/HotKeySetting.h"
#include "ui/HotKeyRegistration.h"

namespace Vorlune {

namespace {
// Under the id of the button whose command they run.
std::list<HotKeyRegistration>& Registrations() {
    static std::list<HotKeyRegistration> registrations;
    return registrations;
}

// Keys of hotkeys that ran and have not been seen let go since. Wine sends a held hotkey again
// with every auto-repeat, although it was registered not to repeat.
std::set<UINT>& HeldKeys() {
    static std::set<UINT> keys;
    return keys;
}

constexpr UINT kHeldKeysPollMs = 30;

bool KeyDown(UINT key) { return (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0; }
}  // namespace

void RegisterStoredHotKeys(HWND toolbar) {
    UnregisterHotKeys();
    for (TextId button : kHotKeyButtons) {
        const HotKeyCode code = StoredHotKey(button);
        if (code == 0) continue;
        const HotKeyParts parts = RegistrationParts(code);
        Registrations().emplace_back(toolbar, button, parts.modifiers, parts.key);
    }
}

void UnregisterHotKeys() { Registrations().clear(); }

void RunPressedHotKey(WPARAM id, LPARAM keys, HWND toolbar) {
    const UINT key = HIWORD(keys);
    // Its key held down since it ran: the same press, repeated.
    if (HeldKeys().contains(key) && KeyDown(key)) return;
    HeldKeys().insert(key);
    SetTimer(toolbar, kHeldHotKeysTimer, kHeldKeysPollMs, nullptr);
    for (TextId button : kHotKeyButtons)
        if (id == static_cast<WPARAM>(button)) RunHotKeyCommand(button, toolbar, static_cast<DWORD>(GetMessageTime()));
}

void PollHeldHotKeys(HWND toolbar) {
    std::erase_if(HeldKeys(), [](UINT key) { return !KeyDown(key); });
    if (HeldKeys().empty()) KillTimer(toolbar, kHeldHotKeysTimer);
}

}  // namespace Vorlune
