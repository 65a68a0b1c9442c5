#pragma once
#include <cstdint>

#include "core/Geometry.h"

// Redaction by pixelation, on 32-bit BGRA rows, top row first, stride bytes apart.
//
// For the redaction to hold in the output, the window composites as follows: the original is
// copied once into the output buffer and the marks are drawn onto that buffer in their order;
// at a pixelate mark's turn, Pixelate runs over its area in that same buffer. So whatever was
// drawn before it is averaged with the image beneath, and whatever is drawn after it lies on
// blocks that no longer hold the original, which is never drawn again: a crop cuts the finished
// buffer and never reaches back to the original. A translucent mark (the highlighter's
// multiply) over a block shows only the block. The window's own picture is best made the same
// way, or the original shows on screen while the marks are edited.
namespace Vorlune {

constexpr int kPixelateBlock = 10;

// The area is clamped to the image first, and the blocks start at its top-left corner; those
// at its right and bottom edges are what is left, or what is left of half a block or more:
// a thinner remainder joins the block beside it. Each pixel of a block takes the block's
// mean per channel, rounded half up, and an alpha of 255. A block under 1 counts as 1.
void Pixelate(std::uint8_t* bgra, int stride, Size image, Rect area, int block = kPixelateBlock);

}  // namespace Vorlune
