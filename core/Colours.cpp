#include "core/Colours.h"

namespace Vorlune {

namespace {
constexpr Colour kAuxiliaryLineColorTable[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};
}  // namespace

Colour AuxiliaryLineColorAt(int index) {
    if (index < 0 || index >= 16) return 0x0000FF;
    return kAuxiliaryLineColorTable[index];
}

}  // namespace Vorlune
