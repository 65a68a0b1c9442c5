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

// What leaves the screen, and the wait until it has: a window before the screen is frozen, or
// what covered a window raised to be pictured. None for windows that were not on the screen
// or that Windows leaves out of screen copies; else until the screen no longer shows what
// was noted, which under X is when the programs below have put their pixels back, and where
// the system composes the screen is at once after its next composition (the caller's flush).
class ScreenLeave {
public:
    // Keeps what window shows now; before it is hidden.
    void Note(HWND window);
    // Keeps what the screen shows in each area now, read at once; before what stands there leaves.
    void NoteAreas(const std::vector<RECT>& areas);
    // Returns once nothing noted shows, or after limitMilliseconds.
    void Await(DWORD limitMilliseconds) const;

private:
    struct Shown {
        RECT rect;
        std::vector<std::uint32_t> pixels;
    };
    std::vector<Shown> shown_;
};

}  // namespace Vorlune
