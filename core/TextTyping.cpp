#include "core/TextTyping.h"

namespace Vorlune {

namespace {
constexpr wchar_t kEnter = L'\r';
constexpr wchar_t kBackspace = L'\b';
constexpr wchar_t kFirstPrintable = L' ';
constexpr wchar_t kDelete = 0x7F;  // Ctrl+Backspace
}  // namespace

TextTyping::TextTyping(Colour colour, int width, Point at) {
    mark_.kind = MarkKind::Text;
    mark_.colour = colour;
    mark_.width = width;
    mark_.points = {at};
    mark_.textBounds = {at.x, at.y, at.x, at.y};
}

bool TextTyping::Type(wchar_t character) {
    if (character == kEnter) {
        mark_.text += L'\n';
    } else if (character == kBackspace) {
        if (mark_.text.empty()) return false;
        mark_.text.pop_back();
    } else if (character >= kFirstPrintable && character != kDelete) {
        mark_.text += character;
    } else {
        return false;
    }
    return true;
}

}  // namespace Vorlune
