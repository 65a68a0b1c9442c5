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

StitchState ScrollStitcher::Add(const ScrollFrame& grab) {
    if (Ended()) return state_;
    ScrollFrame frame = Oriented(grab, axis_);
    const ScrollMatch match = MatchScroll(last_, frame, edges_);
    switch (match.kind) {
        case ScrollMatchKind::Unmoved:
            return state_ = state_ == StitchState::Unmoved ? StitchState::EndOfPage : StitchState::Unmoved;
        case ScrollMatchKind::NoMatch: return state_ = StitchState::NoMatch;
        case ScrollMatchKind::Ambiguous: return state_ = StitchState::Ambiguous;
        case ScrollMatchKind::Moved: break;
    }
    if (!edges_) edges_ = match.edges;
    const int bodyEnd = frame.height - edges_->bottom;
    const int rows = std::min(match.shift, std::max(0, maxLength_ - Length()));
    AddRows(frame, bodyEnd - match.shift, rows);
    last_ = std::move(frame);
    return state_ = rows < match.shift || Length() >= maxLength_ ? StitchState::HeightLimit : StitchState::Matched;
}

void ScrollStitcher::AddRows(const ScrollFrame& frame, int from, int rows) {
    if (rows <= 0) return;
    const int width = frame.width;
    const std::uint32_t* sides = first_.Row(first_.height - edges_->bottom - 1);
    std::vector<std::uint32_t>& strip = strips_.emplace_back(frame.Row(from), frame.Row(from + rows));
    for (int y = 0; y < rows; ++y) {
        std::uint32_t* row = strip.data() + static_cast<std::size_t>(y) * width;
        std::copy(sides, sides + edges_->left, row);
        std::copy(sides + width - edges_->right, sides + width, row + width - edges_->right);
    }
    addedRows_ += rows;
}

ScrollFrame ScrollStitcher::Image() const {
    const int footer = edges_ ? edges_->bottom : 0;
    ScrollFrame image{first_.width, Length(), {}};
    image.pixels.reserve(static_cast<std::size_t>(image.width) * image.height);
    image.pixels.assign(first_.pixels.begin(),
                        first_.pixels.end() - static_cast<std::ptrdiff_t>(footer) * first_.width);
    for (const auto& strip : strips_) image.pixels.insert(image.pixels.end(), strip.begin(), strip.end());
    image.pixels.insert(image.pixels.end(), last_.Row(last_.height - footer), last_.Row(last_.height));
    return axis_ == ScrollAxis::Across ? Transposed(image) : image;
}

}  // namespace Vorlune
