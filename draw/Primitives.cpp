#include "draw/Primitives.h"

#include "draw/GdiObjectCache.h"
#include "settings/SettingsStore.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {

HPEN Pen(COLORREF colour) { return GdiCache().GetPen(1, colour).get(); }

}  // namespace

void DrawLine(HDC hdc, COLORREF colour, int x1, int y1, int x2, int y2) {
    SelectGuard pen(hdc, Pen(colour));
    MoveToEx(hdc, x1, y1, nullptr);
    LineTo(hdc, x2, y2);
}

void DrawFilledRectangle(HDC hdc, const RECT& rect, COLORREF penColour, COLORREF brushColour) {
    SelectGuard pen(hdc, Pen(penColour));
    SelectGuard brush(hdc, GdiCache().GetBrush(brushColour).get());
    Rectangle(hdc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawFrame(HDC hdc, const RECT& rect, COLORREF colour) {
    SelectGuard pen(hdc, Pen(colour));
    MoveToEx(hdc, rect.left, rect.top, nullptr);
    SetPixel(hdc, rect.left, rect.top, colour);
    LineTo(hdc, rect.right, rect.top);
    LineTo(hdc, rect.right, rect.bottom);
    LineTo(hdc, rect.left, rect.bottom);
    LineTo(hdc, rect.left, rect.top);
}

void DrawBevelFrame(HDC hdc, COLORREF colourA, COLORREF colourB, const RECT& rect) {
    SelectGuard pen(hdc, Pen(colourA));
    MoveToEx(hdc, rect.left, rect.bottom - 1, nullptr);
    LineTo(hdc, rect.left, rect.top);
    LineTo(hdc, rect.right - 1, rect.top);
    SelectGuard second(hdc, Pen(colourB));
    LineTo(hdc, rect.right - 1, rect.bottom - 1);
    LineTo(hdc, rect.left - 1, rect.bottom - 1);
}

COLORREF GetAuxiliaryLineColor() {
    return AuxiliaryLineColorAt(Store().GetInt(SectionSettings, KeyAuxiliaryLineColor));
}

}  // namespace Vorlune
