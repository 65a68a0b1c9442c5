#include "draw/ToolTipBox.h"

#include "draw/GdiObjectCache.h"
#include "draw/Primitives.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {
constexpr COLORREF kText = 0x000000;
constexpr COLORREF kFrame = 0x646464;
}  // namespace

SIZE MeasureToolTipText(HDC dc, const std::wstring& text, int dpi) {
    const SelectGuard font(dc, GdiCache().GetFont(0, dpi).get());
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

void PaintToolTipBox(HDC dc, const RECT& box, const std::wstring& text, int dpi) {
    const SelectGuard font(dc, GdiCache().GetFont(0, dpi).get());
    const COLORREF textColour = SetTextColor(dc, kText);
    const COLORREF background = SetBkColor(dc, kToolTipBackground);
    RECT area = box;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_VCENTER);
    DrawFrame(dc, box, kFrame, LineWidth(dpi));
    SetBkColor(dc, background);
    SetTextColor(dc, textColour);
}

}  // namespace Vorlune
