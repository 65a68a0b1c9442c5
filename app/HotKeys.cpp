#include "app/HotKeys.h"

#include <list>

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

void RunPressedHotKey(WPARAM id, HWND toolbar) {
    for (TextId button : kHotKeyButtons)
        if (id == static_cast<WPARAM>(button)) RunHotKeyCommand(button, toolbar, static_cast<DWORD>(GetMessageTime()));
}

}  // namespace Vorlune
