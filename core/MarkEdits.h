#pragma once
#include <optional>
#include <vector>

#include "core/Marks.h"

// What the select tool does to a mark: its handles, and the mark moved or resized.
namespace Vorlune {

// A box's eight handles, corners first so that they win where handles of a small box overlap.
enum BoxHandle : int {
    kHandleTopLeft,
    kHandleTopRight,
    kHandleBottomRight,
    kHandleBottomLeft,
    kHandleTop,
    kHandleRight,
    kHandleBottom,
    kHandleLeft,
};
// A line's or an arrow's two.
enum LineHandle : int { kHandleStart, kHandleEnd };

// Squares of handleSize image pixels, indexed by BoxHandle on the box through the points of
// rectangles, ellipses, pixelate, blur and spotlight areas, pens and highlighters, by LineHandle on a line or an
// arrow. Texts and steps have none: they only move.
std::vector<Rect> HandlesOf(const Mark& mark, int handleSize);
std::optional<int> HandleAt(const Mark& mark, Point point, int handleSize);

// Every point moved, and the text's bounds with them.
Mark Moved(const Mark& mark, Point delta);
// A handle dragged to a point. A box's corners come out ordered; a stroke's points are scaled
// into the new box, mirrored where the handle crossed the opposite side. A handle the mark does
// not have changes nothing.
Mark Resized(const Mark& mark, int handle, Point to);

}  // namespace Vorlune
