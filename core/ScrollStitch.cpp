#include "core/ScrollStitch.h"

#include <algorithm>
#include <functional>

namespace Vorlune {

namespace {

ScrollFrame Oriented(const ScrollFrame& grab, ScrollAxis axis) {
    return axis == ScrollAxis::Across ? Transposed(grab) : grab;
}

}  // namespace

ScrollStitcher::ScrollStitcher(const ScrollFrame& first, ScrollAxis axis, int maxLength, bool stillEnds)
    : axis_(axis), maxLength_(maxLength), stillEnds_(stillEnds), first_(Oriented(first, axis)), last_(first_) {}

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
            return state_ =
                       state_ == StitchState::Unmoved && stillEnds_ ? StitchState::EndOfPage : StitchState::Unmoved;
        case ScrollMatchKind::NoMatch: return state_ = StitchState::NoMatch;
        case ScrollMatchKind::Ambiguous: return state_ = StitchState::Ambiguous;
        case ScrollMatchKind::Moved: break;
    }
    if (!edges_) edges_ = match.edges;
    passed_.emplace_back(last_.Row(edges_->top), last_.Row(edges_->top + match.shift));
    passedRows_ += match.shift;
    passedEnds_.push_back(passedRows_);
    last_ = std::move(frame);
    lastShift_ = match.shift;
    return state_ = first_.height + passedRows_ >= maxLength_ ? StitchState::HeightLimit : StitchState::Matched;
}

void ScrollStitcher::TakeLines(const std::function<void(int index, const std::uint32_t* line)>& put) {
    if (!edges_) {
        for (int y = 0; y < first_.height; ++y) put(y, first_.Row(y));
        return;
    }
    const int width = first_.width;
    const FixedEdges& edges = *edges_;
    const int firstBodyEnd = first_.height - edges.bottom;
    // At the limit the moving rows are cut, and the footer still ends the image.
    const int bodyEnd = Length() - edges.bottom;
    std::vector<std::uint32_t> line(width);
    int y = 0;
    const auto body = [&](const std::uint32_t* from) {
        if (y >= bodyEnd) return;
        if (y < edges.top) return put(y++, from);
        const std::uint32_t* sides = first_.Row(std::min(y, firstBodyEnd - 1));
        std::copy(from, from + width, line.begin());
        std::copy(sides, sides + edges.left, line.begin());
        std::copy(sides + width - edges.right, sides + width, line.end() - edges.right);
        put(y++, line.data());
    };
    for (int r = 0; r < edges.top; ++r) body(first_.Row(r));
    for (std::vector<std::uint32_t>& strip : passed_) {
        for (std::size_t at = 0; at < strip.size(); at += width) body(strip.data() + at);
        std::vector<std::uint32_t>().swap(strip);  // its memory goes back now, not at the end
    }
    for (int r = edges.top; r < firstBodyEnd; ++r) body(last_.Row(r));
    for (int r = firstBodyEnd; r < last_.height; ++r) put(y++, last_.Row(r));
}

Size ScrollStitcher::ImageSize() const {
    return axis_ == ScrollAxis::Across ? Size{Length(), first_.width} : Size{first_.width, Length()};
}

ScrollFrame ScrollStitcher::TakeImage() {
    const bool across = axis_ == ScrollAxis::Across;
    const Size size = ImageSize();
    ScrollFrame image{size.cx, size.cy, {}};
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    TakeLines([&](int index, const std::uint32_t* line) {
        if (across) {
            for (int y = 0; y < image.height; ++y) image.Row(y)[index] = line[y];
        } else {
            std::copy(line, line + image.width, image.Row(index));
        }
    });
    return image;
}

int ScrollStitcher::MovingLength() const {
    return edges_ ? first_.height - edges_->top - edges_->bottom : first_.height;
}

std::uint32_t ScrollStitcher::PixelAt(int x, int y) const {
    if (!edges_) return first_.Row(y)[x];
    const FixedEdges& edges = *edges_;
    const int length = Length();
    const int firstBodyEnd = first_.height - edges.bottom;
    if (y >= length - edges.bottom) return last_.Row(y - (length - last_.height))[x];
    if (y >= edges.top && (x < edges.left || x >= first_.width - edges.right))
        return first_.Row(std::min(y, firstBodyEnd - 1))[x];
    if (y < edges.top) return first_.Row(y)[x];
    const int passed = y - edges.top;
    if (passed >= passedRows_) return last_.Row(edges.top + passed - passedRows_)[x];
    const auto strip = std::upper_bound(passedEnds_.begin(), passedEnds_.end(), passed) - passedEnds_.begin();
    const int stripStart = strip == 0 ? 0 : passedEnds_[strip - 1];
    return passed_[strip][static_cast<std::size_t>(passed - stripStart) * first_.width + x];
}

ScrollFrame ScrollStitcher::Preview(int width, int height) const {
    const bool across = axis_ == ScrollAxis::Across;
    const int imageWidth = across ? Length() : first_.width;
    const int imageHeight = across ? first_.width : Length();
    // Scaled by the smaller ratio, in whole pixels, at least one.
    const double scale =
        std::min({1.0, static_cast<double>(width) / imageWidth, static_cast<double>(height) / imageHeight});
    ScrollFrame preview{
        std::max(1, static_cast<int>(imageWidth * scale)), std::max(1, static_cast<int>(imageHeight * scale)), {}};
    preview.pixels.resize(static_cast<std::size_t>(preview.width) * preview.height);
    for (int y = 0; y < preview.height; ++y)
        for (int x = 0; x < preview.width; ++x) {
            const int column = std::min(imageWidth - 1, static_cast<int>(x / scale));
            const int row = std::min(imageHeight - 1, static_cast<int>(y / scale));
            preview.Row(y)[x] = across ? PixelAt(row, column) : PixelAt(column, row);
        }
    return preview;
}

}  // namespace Vorlune
