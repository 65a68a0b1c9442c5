#include "core/MarkDrag.h"

#include "core/MarkEdits.h"

namespace Vorlune {

std::optional<MarkKind> DrawnKind(MarkupTool tool) {
    switch (tool) {
        case MarkupTool::Pen: return MarkKind::Pen;
        case MarkupTool::Line: return MarkKind::Line;
        case MarkupTool::Arrow: return MarkKind::Arrow;
        case MarkupTool::Rectangle: return MarkKind::Rectangle;
        case MarkupTool::Ellipse: return MarkKind::Ellipse;
        case MarkupTool::Highlighter: return MarkKind::Highlighter;
        case MarkupTool::Pixelate: return MarkKind::Pixelate;
        case MarkupTool::Blur: return MarkKind::Blur;
        case MarkupTool::Spotlight: return MarkKind::Spotlight;
        default: return std::nullopt;
    }
}

MarkDrag::MarkDrag(MarkKind kind, MarkStyle style, Point press) {
    mark_.kind = kind;
    mark_.colour = style.colour;
    mark_.width = style.width;
    mark_.filled = style.filled && (IsFillable(kind) || kind == MarkKind::Highlighter);
    mark_.points = IsStroke(mark_) ? std::vector<Point>{press} : std::vector<Point>{press, press};
}

void MarkDrag::MoveTo(Point point) {
    if (!IsStroke(mark_))
        mark_.points.back() = point;
    else if (mark_.points.back() != point)
        mark_.points.push_back(point);
}

bool MarkDrag::Kept() const { return IsStroke(mark_) || mark_.points.front() != mark_.points.back(); }

EditDrag::EditDrag(Mark mark, std::optional<int> handle, Point press)
    : original_(mark), edited_(std::move(mark)), handle_(handle), press_(press) {}

void EditDrag::MoveTo(Point point) {
    edited_ =
        handle_ ? Resized(original_, *handle_, point) : Moved(original_, {point.x - press_.x, point.y - press_.y});
}

}  // namespace Vorlune
