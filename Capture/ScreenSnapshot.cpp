#include "Capture/ScreenSnapshot.h"

#include "Capture/Dib.h"
#include "ui/VirtualScreen.h"

namespace Vorlune {

ScreenSnapshot::ScreenSnapshot() : ScreenSnapshot(VirtualScreenRect()) {}

ScreenSnapshot::ScreenSnapshot(const RECT& screenRect)
    : gdi(&GdiCache()), bounds(screenRect), size{screenRect.right - screenRect.left, screenRect.bottom - screenRect.top} {
    HDC* dcs[kCount] = {&frozenDC, &workDC, &outputDC};
    for (int i = 0; i < kCount; ++i) {
        *dcs[i] = CreateCompatibleDC(nullptr);
        bitmaps_[i] = CreateDib24(size.cx, size.cy);
        if (*dcs[i] != nullptr && bitmaps_[i] != nullptr) SelectObject(*dcs[i], bitmaps_[i]);
    }
    HDC screen = GetDC(nullptr);
    BitBlt(frozenDC, 0, 0, size.cx, size.cy, screen, bounds.left, bounds.top, kSnapshotCopy);
    BitBlt(workDC, 0, 0, size.cx, size.cy, frozenDC, 0, 0, kSnapshotCopy);
    BitBlt(outputDC, 0, 0, size.cx, size.cy, frozenDC, 0, 0, kSnapshotCopy);
    ReleaseDC(nullptr, screen);
}

ScreenSnapshot::~ScreenSnapshot() {
    // A bitmap still selected into a DC cannot be deleted: each DC goes first.
    HDC dcs[kCount] = {frozenDC, workDC, outputDC};
    for (int i = kCount - 1; i >= 0; --i) {
        if (dcs[i] != nullptr) DeleteDC(dcs[i]);
        if (bitmaps_[i] != nullptr) DeleteObject(bitmaps_[i]);
    }
}

void ScreenSnapshot::ResetWork() const { BitBlt(workDC, 0, 0, size.cx, size.cy, frozenDC, 0, 0, kSnapshotCopy); }

}  // namespace Vorlune
