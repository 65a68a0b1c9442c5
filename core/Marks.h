#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/Colours.h"
#include "core/Geometry.h"

// The marks drawn on a captured image, in the image's pixels. A stroke of width w centred on a
// pixel covers (w - 1) / 2 pixels above or left of it and w / 2 below or right, as DrawLine
// spreads a wide line.
namespace Vorlune {

enum class MarkKind { Pen, Line, Arrow, Rectangle, Ellipse, Highlighter, Text, Step, Pixelate, Blur, Spotlight };

struct Mark {
    MarkKind kind = MarkKind::Pen;
    Colour colour = 0;
    int width = 1;
    // Rectangle, ellipse, pixelate, blur and spotlight: two opposite corners, both inside the box. Line and
    // arrow: start and end. Pen and highlighter: the stroke. Text: its top-left. Step: the
    // badge's centre.
    std::vector<Point> points{};
    std::wstring text{};  // lines split at L'\n'
    int number = 0;  // a step's
    Rect textBounds{};  // the window's measure of the text, placed in image pixels
    // Rectangles and ellipses filled with their colour; a text on a box that keeps it readable;
    // a highlighter a box multiplied whole.
    bool filled = false;
    bool operator==(const Mark&) const = default;
};

// Pen and highlighter strokes keep every point dragged through; a filled highlighter is a box.
bool IsStroke(const Mark& mark);
// What the fill toggle changes: rectangles, ellipses and texts.
bool IsFillable(MarkKind kind);
// Pixelate and blur areas: they read the pixels under them, so they are composed whole.
bool ReadsBelow(MarkKind kind);

int StepBadgeDiameter(int width);
// A text mark's font height in pixels.
int TextHeight(int width);
// How far a filled text's box reaches past its lines.
int TextBoxPadding(int width);
// The highlighter is a broad marker: its stroke for a width.
int HighlighterThickness(int width);

// The pixels the points cover, as AreaBetween has them; empty without points.
Rect PointArea(const Mark& mark);
// The corners of that area, both points of it: where a rectangle's outline runs and an
// ellipse touches, and where the handles sit.
struct Box {
    Point low, high;
};
Box BoxOf(const Mark& mark);
// Everything the mark paints: the points' area with half the stroke around it, the arrow's
// head, the step's badge or the text's bounds with its box.
Rect BoundsOf(const Mark& mark);

// The filled head's tip, which is exactly to, then its two back corners. The shaft should end
// midway between the back corners, so that a wide shaft stays inside the head and never shows
// beside its tip.
std::array<Point, 3> ArrowHead(Point from, Point to, int width);

// The mark under a point, the last drawn (topmost) first. Strokes, rectangles' and ellipses'
// outlines count within tolerance of the stroke's edge; pixelate, blur and spotlight areas,
// texts, steps, filled shapes and highlighter boxes are hit anywhere inside.
std::optional<std::size_t> HitTest(const std::vector<Mark>& marks, Point point, int tolerance);

// One above the highest step present, 1 without any: deleting a step renumbers none.
int NextStepNumber(const std::vector<Mark>& marks);

}  // namespace Vorlune
