#include "core/TextLayout.h"

#include <algorithm>
#include <cstdlib>

namespace Vorlune {

namespace {
// A caret of one pixel in 16 of the line, so that it reads at every size.
constexpr int kCaretPerLine = 16;
constexpr wchar_t kTrailLow = 0xDC00, kTrailHigh = 0xDFFF;

std::size_t LineStart(std::wstring_view text, std::size_t line) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < line; ++i) start = text.find(L'\n', start) + 1;
    return start;
}

int OffsetOf(const Mark& text, TextPosition position, const TextFont& font) {
    return font.LineWidth(LineAt(text.text, position.line).substr(0, position.column), text.width);
}
}  // namespace

std::size_t LineCount(std::wstring_view text) { return std::count(text.begin(), text.end(), L'\n') + 1; }

std::wstring_view LineAt(std::wstring_view text, std::size_t line) {
    const std::size_t start = LineStart(text, line);
    const std::size_t end = text.find(L'\n', start);
    return text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
}

Rect LaidOutBounds(const Mark& text, const TextFont& font) {
    int widest = 0;
    const std::size_t lines = LineCount(text.text);
    for (std::size_t line = 0; line < lines; ++line)
        widest = std::max(widest, font.LineWidth(LineAt(text.text, line), text.width));
    const Point at = text.points.front();
    return {at.x, at.y, at.x + widest, at.y + static_cast<int>(lines) * font.LineHeight(text.width)};
}

TextPosition PositionOf(std::wstring_view text, std::size_t index) {
    const std::wstring_view before = text.substr(0, index);
    const std::size_t lastBreak = before.rfind(L'\n');
    const std::size_t line = std::count(before.begin(), before.end(), L'\n');
    return {line, lastBreak == std::wstring_view::npos ? index : index - lastBreak - 1};
}

std::size_t IndexOf(std::wstring_view text, TextPosition position) {
    return LineStart(text, position.line) + std::min(position.column, LineAt(text, position.line).size());
}

Rect CaretAt(const Mark& text, std::size_t index, const TextFont& font) {
    const TextPosition position = PositionOf(text.text, index);
    const int height = font.LineHeight(text.width);
    const Point at = text.points.front();
    const int left = at.x + OffsetOf(text, position, font);
    const int top = at.y + static_cast<int>(position.line) * height;
    return {left, top, left + std::max(1, height / kCaretPerLine), top + height};
}

bool SplitsPair(std::wstring_view text, std::size_t index) {
    return index > 0 && index < text.size() && text[index] >= kTrailLow && text[index] <= kTrailHigh;
}

std::size_t NearestOnLine(const Mark& text, std::size_t line, int offset, const TextFont& font) {
    const std::wstring_view shown = LineAt(text.text, line);
    std::size_t nearest = 0;
    int distance = std::abs(offset);
    for (std::size_t column = 1; column <= shown.size(); ++column) {
        if (SplitsPair(shown, column)) continue;
        const int away = std::abs(OffsetOf(text, {line, column}, font) - offset);
        if (away < distance) {
            nearest = column;
            distance = away;
        }
    }
    return IndexOf(text.text, {line, nearest});
}

}  // namespace Vorlune
