#pragma once
#include <functional>
#include <set>

namespace Vorlune {

// Tells a hotkey's new press from the repeats of a press that ran: Wine sends a held hotkey
// again with every auto-repeat, although it was registered not to repeat. A key that ran stays
// held until a look at the keyboard finds it let go; until then every press of it is a repeat,
// even one handled after the key came up, for it was sent while the key was still down.
class HotKeyRepeats {
public:
    // A press of key: true when it is new and runs, and the key is held from now on.
    bool Press(unsigned key);
    // Forgets the held keys that isDown says are up; true while some are still held.
    bool LookAtKeys(const std::function<bool(unsigned)>& isDown);

private:
    std::set<unsigned> held_;
};

}  // namespace Vorlune
