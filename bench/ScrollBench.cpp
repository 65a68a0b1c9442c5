#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "Bench.h"
#include "Capture/CaptureOutput.h"
#include "core/ScrollMatch.h"
#include "core/ScrollStitch.h"

namespace Vorlune::Bench {
namespace {

// Lines of text-like runs, a blank gap between lines, and a page that moved up by shift.
ScrollFrame TextPage(int width, int height, int shift) {
    ScrollFrame frame{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        const int line = (y + shift) / 18;
        const bool gap = (y + shift) % 18 >= 14;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t ink = (static_cast<std::uint32_t>(line * 7919 + x / 9) * 2654435761u) >> 29;
            frame.Row(y)[x] = gap || ink == 0 ? 0xFFFFFF : ((y + shift) % 18) * 0x0B0B0B + ink;
        }
    }
    return frame;
}

}  // namespace

GLIMRA_BENCH(ScrollMatchSpeed) {
    const ScrollFrame last = TextPage(1920, 1080, 0);
    const ScrollFrame next = TextPage(1920, 1080, 540);
    std::vector<double> found, known;
    std::optional<FixedEdges> edges;
    for (int i = 0; i < 15; ++i) {
        auto start = Clock::now();
        const ScrollMatch first = MatchScroll(last, next, std::nullopt);
        found.push_back(Milliseconds(Clock::now() - start));
        if (first.kind != ScrollMatchKind::Moved || first.shift != 540) return Report("scroll_match_failed", 1, "");
        start = Clock::now();
        const ScrollMatch again = MatchScroll(last, next, first.edges);
        known.push_back(Milliseconds(Clock::now() - start));
        if (again.shift != 540) return Report("scroll_match_failed", 1, "");
    }
    Report("scroll_match_1920x1080_ms", Median(known), "ms");
    Report("scroll_match_first_step_1920x1080_ms", Median(found), "ms");
}

// What a 1200 x 20000 capture holds at its end: its rows stitched from grabs a half page apart,
// then turned into the output bitmap, where each strip is let go as its rows are written.
GLIMRA_BENCH(ScrollMemory) {
    constexpr int kWidth = 1200, kHeight = 20000, kPage = 1000;
    const double before = PrivateMegabytes();
    ScrollStitcher stitcher(TextPage(kWidth, kPage, 0), ScrollAxis::Down, kHeight);
    for (int shift = kPage / 2; shift + kPage <= kHeight; shift += kPage / 2)
        stitcher.Add(TextPage(kWidth, kPage, shift));
    if (stitcher.ImageSize() != Size{kWidth, kHeight}) return Report("scroll_memory_failed", 1, "");
    double peak = PrivateMegabytes();
    const CapturedImage image = ImageOfLines(kWidth, kHeight, false, [&](const ImageLineWriter& write) {
        stitcher.TakeLines([&](int index, const std::uint32_t* line) {
            write(index, line);
            if (index % 500 == 0) peak = std::max(peak, PrivateMegabytes());
        });
    });
    Report("scroll_private_20000px_mb", peak - before, "MB");
}

}  // namespace Vorlune::Bench
