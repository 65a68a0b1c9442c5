#include "Capture/PickHandOff.h"

#include <utility>

#include "settings/SettingsStore.h"

namespace Vorlune {

namespace {
PickHandOff& TheHandOff() {
    static PickHandOff handOff;
    return handOff;
}
}  // namespace

void SetPickHandOff(PickHandOff handOff) { TheHandOff() = std::move(handOff); }

const PickHandOff* ActivePickHandOff() {
    const PickHandOff& handOff = TheHandOff();
    return handOff && Store().GetToggle(TextMarkUpToggle) == 1 ? &handOff : nullptr;
}

}  // namespace Vorlune
