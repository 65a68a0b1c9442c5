#include "core/Marks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Vorlune {

namespace {
// Enough sides that the polygon strays from the ellipse by a pixel only at a radius of 800.
constexpr int kEllipseSides = 64;

struct Spot {
    double x, y;
};

Spot SpotOf(Point point) { return {double(point.x), double(point.y)}; }

Point Rounded(double x, double y) {
    return {static_cast<std::int32_t>(std::lround(x)), static_cast<std::int32_t>(std::lround(y))};
}

int ArrowHeadLength(int width) { return 3 * width + 9; }

// The stroke's full width, or 0 for the kinds that fill their area instead.
int StrokeOf(const Mark& mark) {
    switch (mark.kind) {
        case MarkKind::Highlighter: return mark.filled ? 0 : HighlighterThickness(mark.width);
        case MarkKind::Text:
        case MarkKind::Step:
        case MarkKind::Pixelate:
        case MarkKind::Blur:
        case MarkKind::Spotlight: return 0;
        default: return mark.width;
    }
}

Rect AreaOf(const std::vector<Point>& points) {
    if (points.empty()) return {};
    Point low = points.front(), high = points.front();
    for (const Point& point : points) {
        low = {std::min(low.x, point.x), std::min(low.y, point.y)};
        high = {std::max(high.x, point.x), std::max(high.y, point.y)};
    }
    return AreaBetween(low, high);
}

Rect Spread(const Rect& area, int stroke) {
    const int before = (stroke - 1) / 2, after = stroke / 2;
    return {area.left - before, area.top - before, area.right + after, area.bottom + after};
}

std::vector<Point> ArrowPoints(const Mark& mark) {
    const std::array<Point, 3> head = ArrowHead(mark.points[0], mark.points[1], mark.width);
    return {mark.points[0], head[0], head[1], head[2], head[0]};
}

std::vector<Spot> EllipsePath(const Box& box) {
    const Spot centre = {(box.low.x + box.high.x) / 2.0, (box.low.y + box.high.y) / 2.0};
    const Spot radius = {(box.high.x - box.low.x) / 2.0, (box.high.y - box.low.y) / 2.0};
    std::vector<Spot> path;
    for (int side = 0; side <= kEllipseSides; ++side) {
        const double angle = 2 * std::numbers::pi * side / kEllipseSides;
        path.push_back({centre.x + radius.x * std::cos(angle), centre.y + radius.y * std::sin(angle)});
    }
    return path;
}

// The line the stroke is drawn along, closed shapes back to their start.
std::vector<Spot> PathOf(const Mark& mark) {
    std::vector<Spot> path;
    const Box box = BoxOf(mark);
    switch (mark.kind) {
        case MarkKind::Arrow:
            for (const Point& point : ArrowPoints(mark)) path.push_back(SpotOf(point));
            return path;
        case MarkKind::Rectangle:
            for (const Point& corner :
                 {box.low, Point{box.high.x, box.low.y}, box.high, Point{box.low.x, box.high.y}, box.low})
                path.push_back(SpotOf(corner));
            return path;
        case MarkKind::Ellipse: return EllipsePath(box);
        default:
            for (const Point& point : mark.points) path.push_back(SpotOf(point));
            return path;
    }
}

double DistanceToSegment(Spot point, Spot a, Spot b) {
    const Spot along = {b.x - a.x, b.y - a.y};
    const double lengthSquared = along.x * along.x + along.y * along.y;
    const double t =
        lengthSquared == 0
            ? 0
            : std::clamp(((point.x - a.x) * along.x + (point.y - a.y) * along.y) / lengthSquared, 0.0, 1.0);
    return std::hypot(point.x - (a.x + t * along.x), point.y - (a.y + t * along.y));
}

double DistanceToPath(const std::vector<Spot>& path, Spot point) {
    double nearest = DistanceToSegment(point, path.front(), path.front());
    for (std::size_t i = 1; i < path.size(); ++i)
        nearest = std::min(nearest, DistanceToSegment(point, path[i - 1], path[i]));
    return nearest;
}

bool InsideEllipse(const Box& box, Point point) {
    const double rx = (box.high.x - box.low.x) / 2.0, ry = (box.high.y - box.low.y) / 2.0;
    if (rx <= 0 || ry <= 0) return false;
    const double dx = (point.x - (box.low.x + rx)) / rx, dy = (point.y - (box.low.y + ry)) / ry;
    return dx * dx + dy * dy <= 1;
}

bool HitsInside(const Mark& mark, Point point) {
    if (!mark.filled) return false;
    switch (mark.kind) {
        case MarkKind::Rectangle:
        case MarkKind::Highlighter: return Contains(PointArea(mark), point);
        case MarkKind::Ellipse: return InsideEllipse(BoxOf(mark), point);
        default: return false;
    }
}

bool Hits(const Mark& mark, Point point, int tolerance) {
    if (HitsInside(mark, point)) return true;
    switch (mark.kind) {
        case MarkKind::Text: return Contains(mark.textBounds, point);
        case MarkKind::Pixelate:
        case MarkKind::Blur:
        case MarkKind::Spotlight: return Contains(PointArea(mark), point);
        case MarkKind::Step:
            return std::hypot(point.x - mark.points[0].x, point.y - mark.points[0].y) <=
                   StepBadgeDiameter(mark.width) / 2.0;
        default: return DistanceToPath(PathOf(mark), SpotOf(point)) <= tolerance + StrokeOf(mark) / 2.0;
    }
}

// What a mark of its kind needs to be drawn at all.
bool IsWhole(const Mark& mark) {
    switch (mark.kind) {
        case MarkKind::Highlighter: return mark.filled ? mark.points.size() >= 2 : !mark.points.empty();
        case MarkKind::Pen:
        case MarkKind::Text:
        case MarkKind::Step: return !mark.points.empty();
        default: return mark.points.size() >= 2;
    }
}
}  // namespace

bool IsStroke(const Mark& mark) {
    return mark.kind == MarkKind::Pen || (mark.kind == MarkKind::Highlighter && !mark.filled);
}

bool IsFillable(MarkKind kind) {
    return kind == MarkKind::Rectangle || kind == MarkKind::Ellipse || kind == MarkKind::Text;
}

bool ReadsBelow(MarkKind kind) { return kind == MarkKind::Pixelate || kind == MarkKind::Blur; }

int StepBadgeDiameter(int width) { return 6 * width + 14; }

int TextHeight(int width) { return 4 * width + 12; }

int TextBoxPadding(int width) { return TextHeight(width) / 6; }

int HighlighterThickness(int width) { return 4 * width + 8; }

Rect PointArea(const Mark& mark) { return AreaOf(mark.points); }

Box BoxOf(const Mark& mark) {
    const Rect area = PointArea(mark);
    return {{area.left, area.top}, {area.right - 1, area.bottom - 1}};
}

Rect BoundsOf(const Mark& mark) {
    if (mark.kind == MarkKind::Text)
        return mark.filled ? Grown(mark.textBounds, TextBoxPadding(mark.width)) : mark.textBounds;
    if (!IsWhole(mark)) return {};
    switch (mark.kind) {
        case MarkKind::Step: return SquareAround(mark.points[0], StepBadgeDiameter(mark.width));
        case MarkKind::Arrow: return Spread(AreaOf(ArrowPoints(mark)), mark.width);
        default: return Spread(PointArea(mark), StrokeOf(mark));
    }
}

std::array<Point, 3> ArrowHead(Point from, Point to, int width) {
    const Spot along = {double(to.x - from.x), double(to.y - from.y)};
    const double length = std::hypot(along.x, along.y);
    if (length == 0) return {to, to, to};
    // Never longer than the arrow, so that a short one does not point back past its start.
    const double head = std::min(double(ArrowHeadLength(width)), length);
    const Spot unit = {along.x / length, along.y / length};
    const Spot back = {to.x - unit.x * head, to.y - unit.y * head};
    const double half = head / 2;
    return {to, Rounded(back.x - unit.y * half, back.y + unit.x * half),
            Rounded(back.x + unit.y * half, back.y - unit.x * half)};
}

std::optional<std::size_t> HitTest(const std::vector<Mark>& marks, Point point, int tolerance) {
    for (std::size_t i = marks.size(); i-- > 0;)
        if (IsWhole(marks[i]) && Hits(marks[i], point, tolerance)) return i;
    return std::nullopt;
}

int NextStepNumber(const std::vector<Mark>& marks) {
    int highest = 0;
    for (const Mark& mark : marks)
        if (mark.kind == MarkKind::Step) highest = std::max(highest, mark.number);
    return highest + 1;
}

}  // namespace Vorlune
