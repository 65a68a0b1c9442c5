#include "draw/Primitives.h"

#include "draw/GdiObjectCache.h"
#include "settings/SettingsStore.h"

namespace Vorlune {

namespace {

constexpr COLORREF kAuxiliaryLineColorTable[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

// Selects a cached object for the lifetime of the scope; the cache keeps the handle alive.
class Selection {
public:
    Selection(HDC hdc, HGDIOBJ object) : hdc_(hdc), previous_(SelectObject(hdc, object)) {}
    ~Selection() {
        if (hdc_ != nullptr && previous_ != nullptr) SelectObject(hdc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC hdc_;
    HGDIOBJ previous_;
};

HPEN Pen(COLORREF colour) { return GdiCache().GetPen(1, colour).get(); }

}  // namespace

void DrawLine(HDC hdc, COLORREF colour, int x1, int y1, int x2, int y2) {
    Selection pen(hdc, Pen(colour));
    MoveToEx(hdc, x1, y1, nullptr);
    LineTo(hdc, x2, y2);
}

void DrawFilledRectangle(HDC hdc, const RECT& rect, COLORREF penColour, COLORREF brushColour) {
    Selection pen(hdc, Pen(penColour));
    Selection brush(hdc, GdiCache().GetBrush(brushColour).get());
    Rectangle(hdc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawFrame(HDC hdc, const RECT& rect, COLORREF colour) {
    Selection pen(hdc, Pen(colour));
    MoveToEx(hdc, rect.left, rect.top, nullptr);
    SetPixel(hdc, rect.left, rect.top, colour);
    LineTo(hdc, rect.right, rect.top);
    LineTo(hdc, rect.right, rect.bottom);
    LineTo(hdc, rect.left, rect.bottom);
    LineTo(hdc, rect.left, rect.top);
}

void DrawBevelFrame(HDC hdc, COLORREF colourA, COLORREF colourB, const RECT& rect) {
    Selection pen(hdc, Pen(colourA));
    MoveToEx(hdc, rect.left, rect.bottom - 1, nullptr);
    LineTo(hdc, rect.left, rect.top);
    LineTo(hdc, rect.right - 1, rect.top);
    Selection second(hdc, Pen(colourB));
    LineTo(hdc, rect.right - 1, rect.bottom - 1);
    LineTo(hdc, rect.left - 1, rect.bottom - 1);
}

COLORREF AuxiliaryLineColorAt(int index) {
    if (index < 0 || index >= 16) return 0x0000FF;
    return kAuxiliaryLineColorTable[index];
}

COLORREF GetAuxiliaryLineColor() { return AuxiliaryLineColorAt(Settings().GetInt(SectionSettings, KeyAuxiliaryLineColor)); }

}  // namespace Vorlune
