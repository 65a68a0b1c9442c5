#include "core/HeldKeys.h"

namespace Vorlune {

bool HeldKeys::Press(unsigned key) {
    const bool fresh = !upSince_.contains(key);
    upSince_[key].reset();  // a press says it is down, whatever was read before
    return fresh;
}

void HeldKeys::Read(const std::function<bool(unsigned key)>& isDown, std::uint32_t now) {
    for (auto it = upSince_.begin(); it != upSince_.end();) {
        std::optional<std::uint32_t>& since = it->second;
        if (isDown(it->first))
            since.reset();
        else if (!since)
            since = now;
        else if (now - *since >= kLetGoMilliseconds) {
            it = upSince_.erase(it);
            continue;
        }
        ++it;
    }
}

}  // namespace Vorlune
