#include "app/HotKeys.h"

#include <list>

#include "app/CommandDispatch.h"
#include "core/HotKeyRepeats.h"
#include "settings/HotKeySetting.h"
#include "ui/HotKeyRegistration.h"

namespace Vorlune {

namespace {
// Under the id of the button whose command they run.
std::list<HotKeyRegistration>& Registrations() {
    static std::list<HotKeyRegistration> registrations;
    return registrations;
}

HotKeyRepeats& Repeats() {
    static HotKeyRepeats repeats;
    return repeats;
}

constexpr UINT kHeldKeysPollMs = 30;

bool KeyDown(unsigned key) { return (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0; }
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
    if (!Repeats().Press(HIWORD(keys))) return;
    SetTimer(toolbar, kHeldHotKeysTimer, kHeldKeysPollMs, nullptr);
    for (TextId button : kHotKeyButtons)
        if (id == static_cast<WPARAM>(button)) RunHotKeyCommand(button, toolbar, static_cast<DWORD>(GetMessageTime()));
}

void PollHeldHotKeys(HWND toolbar) {
    if (!Repeats().LookAtKeys(KeyDown)) KillTimer(toolbar, kHeldHotKeysTimer);
}

}  // namespace Vorlune
