#pragma once
#include <cstdint>

// The toolbar's looks, table by table. Each colour is 0x00BBGGRR, as Windows takes it; the
// five-entry tables are indexed by a button's look.
namespace Vorlune {

using Colour = std::uint32_t;

// The 16 colours the auxiliary line setting indexes; any other index draws red.
Colour AuxiliaryLineColorAt(int index);

// A command button's fill and edges, by look: resting, resting unfocused or left, cursor over
// (yellow, raised), never shown, held down (orange, sunken).
struct CommandButtonColours {
    Colour fill, topLeft, bottomRight;
};
inline constexpr CommandButtonColours kCommandButtonColours[5] = {
    {0xC0C0C0, 0xC0C0C0, 0xC0C0C0}, {0xC0C0C0, 0xC0C0C0, 0xC0C0C0}, {0x3EF0FC, 0xFFFFFF, 0x000000},
    {0xC0C0C0, 0xFFFFFF, 0x000000}, {0x00A5FF, 0x000000, 0xFFFFFF},
};

// A toggle's edges and fill, by look: off (raised, near-white), on (sunken), off and on with the
// cursor over, held down (flat).
struct ToggleColours {
    Colour topLeft, bottomRight, fill;
};
using ToggleTable = ToggleColours[5];
inline constexpr ToggleTable kToggleColours = {
    {0xFFFFFF, 0x808080, 0xF5F5F5}, {0x808080, 0xFFFFFF, 0xF5F5F5}, {0xFFFFFF, 0x808080, 0x2FECFA},
    {0x808080, 0xFFFFFF, 0x52C9D1}, {0xAAAAAA, 0xAAAAAA, 0xF5F5F5},
};
inline constexpr ToggleTable kTitleBarToggleColours = {
    {0xFFFFFF, 0x000000, 0xFFF0F5}, {0x000000, 0xFFFFFF, 0xFFF0F5}, {0xFFFFFF, 0x000000, 0xFFF5D4},
    {0x000000, 0xFFFFFF, 0xE3D9B8}, {0xAAAAAA, 0xAAAAAA, 0xFFF0F5},
};

// The title bar's window buttons, by look: focus, no focus, cursor over (twice), held down.
inline constexpr Colour kCloseBackgrounds[5] = {0xFFFFFF, 0xFFFFFF, 0x2311E8, 0x2311E8, 0x7A70F1};
inline constexpr Colour kCloseStrokes[5] = {0x080705, 0x9C9C9B, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
inline constexpr Colour kCloseHalos[5] = {0xCCCCCC, 0xEBEBEB, 0x766BF1, 0x766BF1, 0xACA6F6};
inline constexpr Colour kMinimizeBackgrounds[5] = {0xFFFFFF, 0xFFFFFF, 0xE5E5E5, 0xE5E5E5, 0xCBCACA};
inline constexpr Colour kMinimizeGlyphs[5] = {0x000000, 0x999999, 0x000000, 0x000000, 0x000000};

// The title bar's background and text, with the focus and without.
struct TitleBarColours {
    Colour background, text;
};
inline constexpr TitleBarColours kTitleBarFocused = {0xFFFFFF, 0x663A3A};
inline constexpr TitleBarColours kTitleBarUnfocused = {0xFFFFFF, 0xABABAB};

}  // namespace Vorlune
