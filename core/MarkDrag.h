#pragma once
#include <optional>
#include <utility>

#include "core/Marks.h"
#include "core/MarkupKeys.h"

// A mark drawn by a drag with one of the drawing tools, or moved or resized by a drag with the
// select tool, from the press to the release.
namespace Vorlune {

// The mark a tool draws by dragging; none for the tools that select, place or crop.
std::optional<MarkKind> DrawnKind(MarkupTool tool);

// What the next mark is drawn with: the tool strip's colour, width and fill.
struct MarkStyle {
    Colour colour = 0;
    int width = 1;
    bool filled = false;
};

class MarkDrag {
public:
    MarkDrag(MarkKind kind, MarkStyle style, Point press);

    // A stroke gains the point, unless it is its last one; a line's end or a box's corner moves there.
    void MoveTo(Point point);
    const Mark& Drawn() const { return mark_; }
    // Whether a release keeps the mark: strokes always, a dot included; the others only once
    // they reach past the pixel pressed.
    bool Kept() const;

private:
    Mark mark_;
};

// The select tool's drag: by one of the mark's handles it resizes the mark, anywhere else it
// moves the mark with the pointer.
class EditDrag {
public:
    EditDrag(Mark mark, std::optional<int> handle, Point press);

    void MoveTo(Point point);
    const Mark& Edited() const { return edited_; }

private:
    Mark original_;
    Mark edited_;
    std::optional<int> handle_;
    Point press_;
};

}  // namespace Vorlune
