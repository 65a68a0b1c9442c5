#include "core/TextTyping.h"

#include <algorithm>

namespace Vorlune {

namespace {
constexpr wchar_t kEnter = L'\r';
constexpr wchar_t kBackspace = L'\b';
constexpr wchar_t kFirstPrintable = L' ';
constexpr wchar_t kDelete = 0x7F;  // Ctrl+Backspace

std::int32_t Inside(std::int32_t at, std::int32_t extent, std::int32_t room) {
    return std::max(0, std::min(at, room - extent));
}
}  // namespace

TextTyping::TextTyping(Mark text, Size image, const TextFont& font)
    : mark_(std::move(text)), anchor_(mark_.points.front()), image_(image), font_(font), caret_(mark_.text.size()) {
    mark_.kind = MarkKind::Text;
    LayOut();
}

void TextTyping::LayOut() {
    mark_.points = {anchor_};
    const Size extent = SizeOf(LaidOutBounds(mark_, font_));
    mark_.points = {{Inside(anchor_.x, extent.cx, image_.cx), Inside(anchor_.y, extent.cy, image_.cy)}};
    mark_.textBounds = LaidOutBounds(mark_, font_);
}

std::size_t TextTyping::Step(std::size_t from, int direction) const {
    std::size_t to = from;
    do {
        to = direction < 0 ? to - 1 : to + 1;
    } while (SplitsPair(mark_.text, to));
    return to;
}

void TextTyping::Restyle(Colour colour, int width, bool filled) {
    mark_.colour = colour;
    mark_.width = width;
    mark_.filled = filled;
    LayOut();
}

bool TextTyping::Type(wchar_t character) {
    across_.reset();
    if (character == kEnter) {
        mark_.text.insert(caret_++, 1, L'\n');
    } else if (character == kBackspace) {
        if (caret_ == 0) return false;
        const std::size_t from = Step(caret_, -1);
        mark_.text.erase(from, caret_ - from);
        caret_ = from;
    } else if (character >= kFirstPrintable && character != kDelete) {
        mark_.text.insert(caret_++, 1, character);
    } else {
        return false;
    }
    LayOut();
    return true;
}

bool TextTyping::Press(CaretKey key) {
    const std::size_t before = caret_;
    const TextPosition at = PositionOf(mark_.text, caret_);
    // Up and down keep to the place across where they started, over shorter lines between.
    const int offset =
        key == CaretKey::Up || key == CaretKey::Down ? across_.value_or(Caret().left - mark_.points.front().x) : 0;
    across_ = key == CaretKey::Up || key == CaretKey::Down ? std::optional<int>(offset) : std::nullopt;
    switch (key) {
        case CaretKey::Left:
            if (caret_ > 0) caret_ = Step(caret_, -1);
            break;
        case CaretKey::Right:
            if (caret_ < mark_.text.size()) caret_ = Step(caret_, 1);
            break;
        case CaretKey::Up:
            if (at.line > 0) caret_ = NearestOnLine(mark_, at.line - 1, offset, font_);
            break;
        case CaretKey::Down:
            if (at.line + 1 < LineCount(mark_.text)) caret_ = NearestOnLine(mark_, at.line + 1, offset, font_);
            break;
        case CaretKey::Home: caret_ = IndexOf(mark_.text, {at.line, 0}); break;
        case CaretKey::End: caret_ = IndexOf(mark_.text, {at.line, mark_.text.size()}); break;
        case CaretKey::Delete:
            if (caret_ == mark_.text.size()) return false;
            mark_.text.erase(caret_, Step(caret_, 1) - caret_);
            LayOut();
            return true;
    }
    return caret_ != before;
}

}  // namespace Vorlune
