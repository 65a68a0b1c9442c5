#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace Vorlune {

// Whether pixels read from the screen no longer show an image that stood there: every 16 x 16
// tile of it that is not one flat colour differs somewhere. A flat tile cannot tell; the
// program below puts an exposed area back in one piece, so the others speak for it. Both are
// width x height pixels, row by row.
bool ShowsNoLonger(const std::vector<std::uint32_t>& shown, const std::vector<std::uint32_t>& now, int width, int height);

// Windows that leave the screen before it is frozen, and the wait until they have. None for
// windows that were not on it or that Windows leaves out of screen copies; the next
// composition where the system composes the screen; else until the screen no longer shows
// them, which under X is when the programs below have put their pixels back.
class ScreenLeave {
public:
    // Keeps what window shows now; before it is hidden.
    void Note(HWND window);
    // Returns once no noted window shows, or after limitMilliseconds.
    void Await(DWORD limitMilliseconds = 100) const;

private:
    struct Shown {
        RECT rect;
        std::vector<std::uint32_t> pixels;
    };
    std::vector<Shown> shown_;
};

}  // namespace Vorlune
