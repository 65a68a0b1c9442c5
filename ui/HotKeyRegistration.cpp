#include "ui/HotKeyRegistration.h"

namespace Vorlune {

HotKeyRegistration::HotKeyRegistration(HWND window, int id, UINT modifiers, UINT key)
    : window_(window), id_(id), held_(RegisterHotKey(window, id, modifiers, key) != FALSE) {}

HotKeyRegistration::~HotKeyRegistration() {
    if (held_) UnregisterHotKey(window_, id_);
}

}  // namespace Vorlune
