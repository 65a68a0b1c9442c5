#include "core/MarkupKeys.h"

#include "core/StepTable.h"

namespace Vorlune {

namespace {
constexpr int kRedInTable = 9;
constexpr int kDigitKeyColours = 10;
}  // namespace

std::optional<MarkupTool> ToolForKey(wchar_t key) {
    switch (key | 0x20) {  // ASCII letters to lower case; nothing else maps onto a letter
        case L'v': return MarkupTool::Select;
        case L'p': return MarkupTool::Pen;
        case L'l': return MarkupTool::Line;
        case L'a': return MarkupTool::Arrow;
        case L'r': return MarkupTool::Rectangle;
        case L'e': return MarkupTool::Ellipse;
        case L'h': return MarkupTool::Highlighter;
        case L't': return MarkupTool::Text;
        case L'n': return MarkupTool::Step;
        case L'm': return MarkupTool::Pixelate;
        case L'b': return MarkupTool::Blur;
        case L's': return MarkupTool::Spotlight;
        case L'c': return MarkupTool::Crop;
        default: return std::nullopt;
    }
}

Colour PaletteColour(int index) {
    if (index <= 0 || index >= kPaletteSize) return AuxiliaryLineColorAt(kRedInTable);
    return AuxiliaryLineColorAt(index <= kRedInTable ? index - 1 : index);
}

std::optional<int> PaletteIndexForKey(wchar_t key) {
    if (key == L'0') return kDigitKeyColours - 1;
    if (key >= L'1' && key <= L'9') return key - L'1';
    return std::nullopt;
}

int NextWidth(int width) { return StepUp(kWidths, width); }

int PreviousWidth(int width) { return StepDown(kWidths, width); }

}  // namespace Vorlune
