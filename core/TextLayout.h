#pragma once
#include <cstddef>
#include <string_view>

#include "core/Marks.h"

// Where a text mark's lines and its caret lie, in image pixels: each line at its own row, one
// line's height below the one before, as the window draws them.
namespace Vorlune {

// The window's font for texts, measured as it draws them.
class TextFont {
public:
    virtual ~TextFont() = default;
    // A line's height, and a line's advance, for a text mark of a width.
    virtual int LineHeight(int width) const = 0;
    virtual int LineWidth(std::wstring_view line, int width) const = 0;
};

// The text's lines, split at L'\n'; an empty text has one empty line.
std::size_t LineCount(std::wstring_view text);
std::wstring_view LineAt(std::wstring_view text, std::size_t line);
// The widest line by the lines' height, from the text's top-left: an empty line is as high as
// any, so a caret on it shows.
Rect LaidOutBounds(const Mark& text, const TextFont& font);

// A position in the text, between two characters: its line and its index in that line.
struct TextPosition {
    std::size_t line = 0;
    std::size_t column = 0;
};
TextPosition PositionOf(std::wstring_view text, std::size_t index);
std::size_t IndexOf(std::wstring_view text, TextPosition position);
// The caret before the character at index: as high as a line, at least a pixel wide.
Rect CaretAt(const Mark& text, std::size_t index, const TextFont& font);
// Whether index lies between the two halves of a surrogate pair, where no caret may stand.
bool SplitsPair(std::wstring_view text, std::size_t index);
// The index on another line nearest to an offset from the text's left edge.
std::size_t NearestOnLine(const Mark& text, std::size_t line, int offset, const TextFont& font);

}  // namespace Vorlune
