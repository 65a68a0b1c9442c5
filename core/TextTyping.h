#pragma once
#include "core/Marks.h"

// A text mark being typed, character by character, from the keyboard or an input method.
namespace Vorlune {

class TextTyping {
public:
    // A text of the style placed with its top-left at point.
    TextTyping(Colour colour, int width, Point at);

    // Printable characters are the text's, Enter starts a new line and Backspace takes the last
    // character back; false for any other, which leaves the text as it was.
    bool Type(wchar_t character);
    const Mark& Typed() const { return mark_; }
    // The window's measure of the text, in image pixels.
    void Measured(const Rect& bounds) { mark_.textBounds = bounds; }
    // Whether ending the typing leaves a mark.
    bool HasText() const { return !mark_.text.empty(); }

private:
    Mark mark_;
};

}  // namespace Vorlune
