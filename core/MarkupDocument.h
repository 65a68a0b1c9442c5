#pragma once
#include <cstddef>
#include <optional>
#include <vector>

#include "core/Geometry.h"
#include "core/Marks.h"

// What the mark-up window edits, and its undo history.
namespace Vorlune {

// The image itself is never changed: the output is the image with the marks drawn in order,
// cut to the crop when there is one.
struct MarkupDocument {
    Size image{};
    std::vector<Mark> marks{};
    std::optional<Rect> crop{};
    bool operator==(const MarkupDocument&) const = default;
};

// The part of the image the output has.
Rect OutputArea(const MarkupDocument& document);
// The crop dragged between two points, both clamped into the image so that at least one pixel
// is left; the image is at least 1 x 1.
Rect CropOf(Point anchor, Point point, Size image);

// Whole documents, one a change, back to the one the window opened with.
class MarkupHistory {
public:
    explicit MarkupHistory(MarkupDocument opened);

    const MarkupDocument& Current() const { return states_[current_]; }
    // After each change; what could be redone is dropped. A document like the current one is
    // no change and leaves the history as it is.
    void Commit(MarkupDocument document);
    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < states_.size(); }
    // Each returns the document now current; with nothing to undo or redo it stays.
    const MarkupDocument& Undo();
    const MarkupDocument& Redo();

private:
    std::vector<MarkupDocument> states_;
    std::size_t current_ = 0;
};

}  // namespace Vorlune
