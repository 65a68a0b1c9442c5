#pragma once
#include <cstddef>
#include <optional>

#include "core/TextLayout.h"

// A text mark being typed or edited again, character by character, from the keyboard or an
// input method, at a caret that the arrow keys, Home and End move.
namespace Vorlune {

enum class CaretKey { Left, Right, Up, Down, Home, End, Delete };

class TextTyping {
public:
    // A new text of the style with its top-left at point, or a finished one to edit with the
    // caret at its end. Laid out by font, which must outlive it, and kept inside the image
    // where it fits.
    TextTyping(Mark text, Size image, const TextFont& font);

    // Printable characters go in at the caret, Enter breaks the line there and Backspace takes
    // back the character before it; false for any other, which leaves the text as it was.
    bool Type(wchar_t character);
    // The caret moved along its line or to the one above or below, or the character after it
    // deleted; false where nothing changed.
    bool Press(CaretKey key);
    // A new colour, size or fill, laid out again.
    void Restyle(Colour colour, int width, bool filled);
    const Mark& Typed() const { return mark_; }
    Rect Caret() const { return CaretAt(mark_, caret_, font_); }
    std::size_t CaretIndex() const { return caret_; }
    // Whether ending the typing leaves a mark.
    bool HasText() const { return !mark_.text.empty(); }

private:
    // The bounds measured again, and the text moved back inside the image where it fits.
    void LayOut();
    std::size_t Step(std::size_t from, int direction) const;

    Mark mark_;
    Point anchor_;  // where it was placed; it moves left or up from there only to stay inside
    Size image_;
    const TextFont& font_;
    std::size_t caret_;
    std::optional<int> across_;  // the caret's offset from the left when up or down began
};

}  // namespace Vorlune
