#include "core/ScrollStitch.h"

#include <algorithm>

namespace Vorlune {

namespace {

ScrollFrame Oriented(const ScrollFrame& grab, ScrollAxis axis) {
    return axis == ScrollAxis::Across ? Transposed(grab) : grab;
}

}  // namespace

ScrollStitcher::ScrollStitcher(const ScrollFrame& first, ScrollAxis axis, int maxLength)
    : axis_(axis), maxLength_(maxLength), first_(Oriented(first, axis)), last_(first_) {}

bool ScrollStitcher::Ended() const {
    return state_ != StitchState::Started && state_ != StitchState::Matched && state_ != StitchState::Unmoved;
}

int ScrollStitcher::Length() const {
    return std::min(first_.height + passedRows_, std::max(maxLength_, first_.height));
}

StitchState ScrollStitcher::Add(const ScrollFrame& grab) {
    if (Ended()) return state_;
    ScrollFrame frame = Oriented(grab, axis_);
    const ScrollMatch match = MatchScroll(last_, frame, edges_, lastShift_);
    switch (match.kind) {
        case ScrollMatchKind::Unmoved:
            last_ = std::move(frame);  // painted later, maybe
            return state_ = state_ == StitchState::Unmoved ? StitchState::EndOfPage : StitchState::Unmoved;
        case ScrollMatchKind::NoMatch: return state_ = StitchState::NoMatch;
        case ScrollMatchKind::Ambiguous: return state_ = StitchState::Ambiguous;
        case ScrollMatchKind::Moved: break;
    }
    if (!edges_) edges_ = match.edges;
    passed_.emplace_back(last_.Row(edges_->top), last_.Row(edges_->top + match.shift));
    passedRows_ += match.shift;
    last_ = std::move(frame);
    lastShift_ = match.shift;
    return state_ = first_.height + passedRows_ >= maxLength_ ? StitchState::HeightLimit : StitchState::Matched;
}

ScrollFrame ScrollStitcher::Image() const {
    if (!edges_) return axis_ == ScrollAxis::Across ? Transposed(first_) : first_;
    const int width = first_.width;
    const FixedEdges& edges = *edges_;
    const int firstBodyEnd = first_.height - edges.bottom;
    ScrollFrame image{width, Length(), {}};
    image.pixels.reserve(static_cast<std::size_t>(width) * image.height);
    const auto add = [&](const std::uint32_t* from, int rows) {
        image.pixels.insert(image.pixels.end(), from, from + static_cast<std::size_t>(rows) * width);
    };
    add(first_.Row(0), edges.top);
    for (const auto& rows : passed_) add(rows.data(), static_cast<int>(rows.size()) / width);
    add(last_.Row(edges.top), firstBodyEnd - edges.top);
    // At the limit the moving rows are cut, and the footer still ends the image.
    image.pixels.resize(static_cast<std::size_t>(width) * (image.height - edges.bottom));
    add(last_.Row(firstBodyEnd), edges.bottom);
    for (int y = edges.top; y < image.height - edges.bottom; ++y) {
        const std::uint32_t* sides = first_.Row(std::min(y, firstBodyEnd - 1));
        std::uint32_t* row = image.Row(y);
        std::copy(sides, sides + edges.left, row);
        std::copy(sides + width - edges.right, sides + width, row + width - edges.right);
    }
    return axis_ == ScrollAxis::Across ? Transposed(image) : image;
}

}  // namespace Vorlune
