#pragma once
#include <optional>

#include "core/Colours.h"

// What the mark-up window's keys pick: a tool, a colour, a width.
namespace Vorlune {

enum class MarkupTool {
    Select,
    Pen,
    Line,
    Arrow,
    Rectangle,
    Ellipse,
    Highlighter,
    Text,
    Step,
    Pixelate,
    Blur,
    Spotlight,
    Crop
};

// What a button of the tool strip picks; nothing where it hits none.
struct ToolPick {
    std::optional<MarkupTool> tool{};
    std::optional<int> colourIndex{};
    std::optional<int> width{};
    bool fill = false;  // the fill toggled
};

// V P L A R E H T N M B S C, either case; any other key picks no tool. F pins and Shift+F toggles
// the fill, so a tool's key is never F.
std::optional<MarkupTool> ToolForKey(wchar_t key);

// The 16 auxiliary line colours with red moved to the front, so that key 1 picks it; any other
// index is red.
constexpr int kPaletteSize = 16;
Colour PaletteColour(int index);
// Keys 1-9 pick the first nine colours and 0 the tenth, as they lie on the keyboard.
std::optional<int> PaletteIndexForKey(wchar_t key);

// Widths in image pixels, stepped with [ and ]; a width off the table steps to its neighbour.
inline constexpr int kWidths[] = {1, 2, 3, 5, 8};
constexpr int kDefaultWidth = 3;
int NextWidth(int width);
int PreviousWidth(int width);

}  // namespace Vorlune
