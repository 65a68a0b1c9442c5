#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace Vorlune {

// The keys of hotkeys that ran and have not been let go since, so that a key held down runs
// its command once. Wine sends a held hotkey again with every auto-repeat although it was
// registered not to repeat, and the key's state may read up for a moment while it is held
// (a change of focus brings an older picture of the keyboard): a key counts as let go only
// once it has read up for kLetGoMilliseconds.
class HeldKeys {
public:
    static constexpr std::uint32_t kLetGoMilliseconds = 250;

    // True when this press of the key is a new one, false when it repeats one held.
    bool Press(unsigned key);
    // Reads every held key's state at now (milliseconds); the ones up long enough are let go.
    void Read(const std::function<bool(unsigned key)>& isDown, std::uint32_t now);
    bool Empty() const { return upSince_.empty(); }

private:
    // When each held key was first read up since it was last down.
    std::map<unsigned, std::optional<std::uint32_t>> upSince_;
};

}  // namespace Vorlune
