#include "core/HotKeyRepeats.h"

namespace Vorlune {

bool HotKeyRepeats::Press(unsigned key) { return held_.insert(key).second; }

bool HotKeyRepeats::LookAtKeys(const std::function<bool(unsigned)>& isDown) {
    std::erase_if(held_, [&](unsigned key) { return !isDown(key); });
    return !held_.empty();
}

}  // namespace Vorlune
