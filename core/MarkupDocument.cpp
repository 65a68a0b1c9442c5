#include "core/MarkupDocument.h"

#include <algorithm>
#include <utility>

namespace Vorlune {

namespace {
std::int32_t ClampInto(std::int32_t value, std::int32_t extent) { return std::min(std::max(value, 0), extent - 1); }

Point ClampInto(Point point, Size image) { return {ClampInto(point.x, image.cx), ClampInto(point.y, image.cy)}; }
}  // namespace

Rect OutputArea(const MarkupDocument& document) {
    return document.crop ? *document.crop : Rect{0, 0, document.image.cx, document.image.cy};
}

Rect CropOf(Point anchor, Point point, Size image) {
    return AreaBetween(ClampInto(anchor, image), ClampInto(point, image));
}

MarkupHistory::MarkupHistory(MarkupDocument opened) { states_.push_back(std::move(opened)); }

void MarkupHistory::Commit(MarkupDocument document) {
    if (document == Current()) return;
    states_.resize(current_ + 1);
    states_.push_back(std::move(document));
    ++current_;
}

const MarkupDocument& MarkupHistory::Undo() {
    if (CanUndo()) --current_;
    return Current();
}

const MarkupDocument& MarkupHistory::Redo() {
    if (CanRedo()) ++current_;
    return Current();
}

}  // namespace Vorlune
