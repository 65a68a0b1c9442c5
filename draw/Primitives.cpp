#include "draw/Primitives.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "draw/GdiObjectCache.h"
#include "settings/SettingsStore.h"
#include "ui/GdiOwners.h"
#include "ui/Geometry.h"

namespace Vorlune {

namespace {

HPEN Pen(COLORREF colour) { return GdiCache().GetPen(1, colour).get(); }

}  // namespace

void DrawLine(HDC hdc, COLORREF colour, int x1, int y1, int x2, int y2, int width) {
    SelectGuard pen(hdc, Pen(colour));
    // Side by side one-pixel lines, not a wide pen: a wide pen's round ends reach past the end.
    const bool flat = std::abs(x2 - x1) >= std::abs(y2 - y1);
    for (int k = 0; k < width; ++k) {
        const int offset = k - (width - 1) / 2;
        const int dx = flat ? 0 : offset;
        const int dy = flat ? offset : 0;
        MoveToEx(hdc, x1 + dx, y1 + dy, nullptr);
        LineTo(hdc, x2 + dx, y2 + dy);
    }
}

void DrawFilledRectangle(HDC hdc, const RECT& rect, COLORREF penColour, COLORREF brushColour) {
    SelectGuard pen(hdc, Pen(penColour));
    SelectGuard brush(hdc, GdiCache().GetBrush(brushColour).get());
    Rectangle(hdc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawFrame(HDC hdc, const RECT& rect, COLORREF colour, int width) {
    // The bands AddFrameLines names, filled: the same pixels as width outlines drawn, in far fewer
    // calls. Left of or above (0, 0) lies on no surface anyway.
    std::vector<Rect> bands;
    constexpr std::int32_t kFar = std::numeric_limits<std::int32_t>::max();
    AddFrameLines(bands, ToCore(rect), {kFar, kFar}, width);
    const HBRUSH brush = GdiCache().GetBrush(colour).get();
    for (const Rect& band : bands) {
        const RECT r = ToWin(band);
        FillRect(hdc, &r, brush);
    }
}

void DrawBevelFrame(HDC hdc, COLORREF colourA, COLORREF colourB, const RECT& rect, int width) {
    for (int k = 0; k < width; ++k) {
        const RECT r = {rect.left + k, rect.top + k, rect.right - k, rect.bottom - k};
        SelectGuard pen(hdc, Pen(colourA));
        MoveToEx(hdc, r.left, r.bottom - 1, nullptr);
        LineTo(hdc, r.left, r.top);
        LineTo(hdc, r.right - 1, r.top);
        SelectGuard second(hdc, Pen(colourB));
        LineTo(hdc, r.right - 1, r.bottom - 1);
        LineTo(hdc, r.left - 1, r.bottom - 1);
    }
}

COLORREF GetAuxiliaryLineColor() {
    return AuxiliaryLineColorAt(Store().GetInt(SectionSettings, KeyAuxiliaryLineColor));
}

}  // namespace Vorlune
