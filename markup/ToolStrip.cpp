#include "markup/ToolStrip.h"

#include <commctrl.h>

#include <string>

#include "app/AppContext.h"
#include "core/Colours.h"
#include "core/Dpi.h"
#include "draw/GdiObjectCache.h"
#include "draw/Primitives.h"
#include "ui/Geometry.h"

namespace Vorlune {

namespace {
constexpr COLORREF kStripBackground = 0xC0C0C0;  // the toolbar's
constexpr COLORREF kInk = 0x000000;
constexpr wchar_t kToolKeys[kToolCount + 1] = L"VPLAREHTNMBSC";
// In the order of MarkupTool.
constexpr TextId kToolHints[kToolCount] = {
    TextToolSelect,  TextToolPen,         TextToolLine, TextToolArrow, TextToolRectangle,
    TextToolEllipse, TextToolHighlighter, TextToolText, TextToolStep,  TextToolPixelate,
    TextToolBlur,    TextToolSpotlight,   TextToolCrop,
};

void DrawToggle(HDC dc, const Rect& rect, bool on, int dpi) {
    const ToggleColours& look = kToggleColours[on ? 1 : 0];
    DrawFilledRectangle(dc, ToWin(rect), look.fill, look.fill);
    DrawBevelFrame(dc, look.topLeft, look.bottomRight, ToWin(rect), LineWidth(dpi));
}
}  // namespace

ToolStrip::ToolStrip(HWND window, int dpi, int clientWidth)
    : window_(window), dpi_(dpi), layout_(LayOutToolStrip(dpi, clientWidth)) {
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    hints_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, nullptr, nullptr));
    for (int i = 0; i < kToolCount; ++i) AddHint(layout_.tools[i], kToolHints[i]);
    for (const Rect& swatch : layout_.colours) AddHint(swatch, TextToolColour);
    for (const Rect& width : layout_.widths) AddHint(width, TextToolWidth);
    AddHint(layout_.fill, TextToolFill);
    AddHint(layout_.pin, TextToolPin);
}

void ToolStrip::AddHint(const Rect& rect, TextId text) {
    if (hints_ == nullptr) return;
    std::wstring hint = App().GetText(text);
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = nextHint_++;
    tool.rect = ToWin(rect);
    tool.lpszText = hint.data();  // copied by the control
    SendMessageW(hints_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolStrip::Draw(HDC dc, MarkupTool tool, int colourIndex, int width, bool filled) const {
    DrawFilledRectangle(dc, ToWin(layout_.strip), kStripBackground, kStripBackground);
    const SelectGuard font(dc, GdiCache().GetFont(1, dpi_).get());
    SetTextColor(dc, kInk);
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < kToolCount; ++i) {
        DrawToggle(dc, layout_.tools[i], static_cast<int>(tool) == i, dpi_);
        RECT box = ToWin(layout_.tools[i]);
        DrawTextW(dc, &kToolKeys[i], 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    for (int i = 0; i < kPaletteSize; ++i) {
        DrawFilledRectangle(dc, ToWin(layout_.colours[i]), 0x808080, PaletteColour(i));
        const Rect& r = layout_.colours[i];
        if (i == colourIndex) DrawFrame(dc, {r.left - 1, r.top - 1, r.right, r.bottom}, kInk, LineWidth(dpi_) + 1);
    }
    for (int i = 0; i < kWidthCount; ++i) {
        const Rect& r = layout_.widths[i];
        DrawToggle(dc, r, kWidths[i] == width, dpi_);
        const int thickness = Scaled(kWidths[i], dpi_);
        const int y = (r.top + r.bottom) / 2 - thickness / 2;
        const int inset = Scaled(5, dpi_);
        DrawFilledRectangle(dc, {r.left + inset, y, r.right - inset, y + thickness}, kInk, kInk);
    }
    DrawToggle(dc, layout_.fill, filled, dpi_);
    const Rect& fill = layout_.fill;
    const int inset = Scaled(7, dpi_);
    DrawFilledRectangle(dc, {fill.left + inset, fill.top + inset, fill.right - inset, fill.bottom - inset}, kInk,
                        PaletteColour(colourIndex));
    DrawToggle(dc, layout_.pin, false, dpi_);
    RECT box = ToWin(layout_.pin);
    DrawTextW(dc, L"F", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

ToolPick ToolStrip::At(POINT point) const {
    const Point at = ToCore(point);
    for (int i = 0; i < kToolCount; ++i)
        if (Contains(layout_.tools[i], at)) return {static_cast<MarkupTool>(i), {}, {}};
    for (int i = 0; i < kPaletteSize; ++i)
        if (Contains(layout_.colours[i], at)) return {{}, i, {}};
    for (int i = 0; i < kWidthCount; ++i)
        if (Contains(layout_.widths[i], at)) return {{}, {}, kWidths[i]};
    return {.fill = Contains(layout_.fill, at)};
}

}  // namespace Vorlune
