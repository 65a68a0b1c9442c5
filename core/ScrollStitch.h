#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/Geometry.h"
#include "core/ScrollFrame.h"
#include "core/ScrollMatch.h"

namespace Vorlune {

enum class ScrollAxis { Down, Across };

enum class StitchState {
    Started,  // the first grab alone
    Matched,  // the last grab matched exactly; its new rows were added
    Unmoved,  // the last grab showed nothing new
    EndOfPage,  // ended: two grabs in a row showed nothing new
    NoMatch,  // ended: a step could not be matched; what came before it is kept
    Ambiguous,  // ended: more than one shift fitted a step; what came before it is kept
    HeightLimit,  // ended: the image reached the limit
};

// A long image stitched from grabs of one area while its content scrolls. Each row is as the
// latest grab that showed it (a page may paint what came into view a while later). The fixed
// edges found at the first step appear once: the header from the first grab, the footer from
// the last, the side columns beside the first grab's rows and, below them, as their last row.
class ScrollStitcher {
public:
    // maxLength: the most rows (columns across) the image may have, fixed edges included.
    // stillEnds: two grabs in a row that show nothing new end the page (not while a person
    // scrolls, who may pause).
    ScrollStitcher(const ScrollFrame& first, ScrollAxis axis, int maxLength, bool stillEnds = true);

    // The next grab of the area, as grabbed. Once ended, further grabs change nothing.
    StitchState Add(const ScrollFrame& grab);
    StitchState State() const { return state_; }
    bool Ended() const;
    // From now on a person scrolls: still grabs end nothing, as if made with stillEnds false.
    void ScrolledByHand() { stillEnds_ = false; }
    // The image's rows (columns across) as it would be output now.
    int Length() const;
    // The image's width and height as it would be output now.
    Size ImageSize() const;
    // Hands the image out line by line as it would be output now: each row, top first (each
    // column, left first, across). Each stored strip is let go once handed out, so what is held
    // shrinks as the output fills; the stitcher is spent after it.
    void TakeLines(const std::function<void(int index, const std::uint32_t* line)>& put);
    // The same lines gathered into one frame.
    ScrollFrame TakeImage();
    // The image as it stands, shrunk to fit within width x height (never enlarged), each pixel
    // the image's nearest one.
    ScrollFrame Preview(int width, int height) const;
    // The rows (columns across) of the area that move with the content, known after a step.
    int MovingLength() const;

private:
    // A pixel of the image before it is turned back across.
    std::uint32_t PixelAt(int x, int y) const;

    ScrollAxis axis_;
    int maxLength_;
    bool stillEnds_;
    ScrollFrame first_;
    ScrollFrame last_;  // the last grab that matched: the image's rows below those passed
    std::optional<FixedEdges> edges_;
    std::vector<std::vector<std::uint32_t>> passed_;  // moving rows that went out of view, in order
    std::vector<int> passedEnds_;  // the passed rows up to and with each of passed_
    int passedRows_ = 0;
    int lastShift_ = 0;
    StitchState state_ = StitchState::Started;
};

}  // namespace Vorlune
