#include "markup/ToolStrip.h"

#include <commctrl.h>

#include <string>

#include "app/AppContext.h"
#include "core/Colours.h"
#include "core/Dpi.h"
#include "draw/Primitives.h"
#include "resources/resource.h"
#include "ui/Geometry.h"

namespace Vorlune {

namespace {
constexpr COLORREF kStripBackground = 0xC0C0C0;  // the toolbar's
constexpr COLORREF kInk = 0x000000;
constexpr SIZE kPictureSize = {18, 18};  // at 96 DPI, centred on its button
constexpr COLORREF kTransparent = 0xFFFFFF;
constexpr PictureIds kToolPictures[kToolCount] = {
    {IDB_TOOL_SELECT, IDB_TOOL_SELECT_150, IDB_TOOL_SELECT_200},
    {IDB_TOOL_PEN, IDB_TOOL_PEN_150, IDB_TOOL_PEN_200},
    {IDB_TOOL_LINE, IDB_TOOL_LINE_150, IDB_TOOL_LINE_200},
    {IDB_TOOL_ARROW, IDB_TOOL_ARROW_150, IDB_TOOL_ARROW_200},
    {IDB_TOOL_RECTANGLE, IDB_TOOL_RECTANGLE_150, IDB_TOOL_RECTANGLE_200},
    {IDB_TOOL_ELLIPSE, IDB_TOOL_ELLIPSE_150, IDB_TOOL_ELLIPSE_200},
    {IDB_TOOL_HIGHLIGHTER, IDB_TOOL_HIGHLIGHTER_150, IDB_TOOL_HIGHLIGHTER_200},
    {IDB_TOOL_TEXT, IDB_TOOL_TEXT_150, IDB_TOOL_TEXT_200},
    {IDB_TOOL_STEP, IDB_TOOL_STEP_150, IDB_TOOL_STEP_200},
    {IDB_TOOL_PIXELATE, IDB_TOOL_PIXELATE_150, IDB_TOOL_PIXELATE_200},
    {IDB_TOOL_BLUR, IDB_TOOL_BLUR_150, IDB_TOOL_BLUR_200},
    {IDB_TOOL_SPOTLIGHT, IDB_TOOL_SPOTLIGHT_150, IDB_TOOL_SPOTLIGHT_200},
    {IDB_TOOL_CROP, IDB_TOOL_CROP_150, IDB_TOOL_CROP_200},
};
constexpr PictureIds kPinPicture = {IDB_TOOL_PIN, IDB_TOOL_PIN_150, IDB_TOOL_PIN_200};
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

Picture ToolPicture(const PictureIds& ids, int dpi) {
    return Picture(GetModuleHandleW(nullptr), ids, kPictureSize, kTransparent, dpi);
}

void DrawCentred(HDC dc, const Picture& picture, const Rect& button) {
    const SIZE size = picture.Size();
    picture.Draw(dc, {(button.left + button.right - size.cx) / 2, (button.top + button.bottom - size.cy) / 2});
}
}  // namespace

ToolStrip::ToolStrip(HWND window, int dpi, int clientWidth)
    : window_(window), dpi_(dpi), layout_(LayOutToolStrip(dpi, clientWidth)), pin_(ToolPicture(kPinPicture, dpi)) {
    for (const PictureIds& ids : kToolPictures) tools_.push_back(ToolPicture(ids, dpi));
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
    for (int i = 0; i < kToolCount; ++i) {
        DrawToggle(dc, layout_.tools[i], static_cast<int>(tool) == i, dpi_);
        DrawCentred(dc, tools_[i], layout_.tools[i]);
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
    DrawCentred(dc, pin_, layout_.pin);
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
