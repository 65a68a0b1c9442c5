#include "markup/MarkRenderer.h"

#include <algorithm>
#include <cstdint>
#include <string>

using std::max;
using std::min;
#include <gdiplus.h>

#include "core/Dpi.h"
#include "core/Blur.h"
#include "core/Pixelate.h"
#include "draw/GdiObjectCache.h"
#include "ui/Geometry.h"

namespace Vorlune {

namespace {
constexpr int kBytesPerPixel = 4;
constexpr int kChannels = 3;
constexpr int kTitleFontPixels = 22;  // font 0's height at 96 DPI

Gdiplus::Color ColourOf(Colour colour) {
    return Gdiplus::Color(255, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// A pixel's centre, where a stroke through it runs.
Gdiplus::PointF Centre(Point point) { return {point.x + 0.5f, point.y + 0.5f}; }

Gdiplus::Rect ToGdiPlus(const Rect& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// A stroke of width w covers (w - 1) / 2 pixels before the line it runs along and w / 2 after.
Rect Spread(Point low, Point high, int width) {
    return {low.x - (width - 1) / 2, low.y - (width - 1) / 2, high.x + width / 2 + 1, high.y + width / 2 + 1};
}

void FillRect(Gdiplus::Graphics& g, const Gdiplus::Brush& brush, const Rect& rect) {
    if (HasArea(rect)) g.FillRectangle(&brush, ToGdiPlus(rect));
}

// Four bands of whole pixels along the box's outline.
void DrawRectangle(Gdiplus::Graphics& g, const Mark& mark) {
    const Box box = BoxOf(mark);
    const Rect outer = Spread(box.low, box.high, mark.width);
    const Rect inner = {outer.left + mark.width, outer.top + mark.width, outer.right - mark.width,
                        outer.bottom - mark.width};
    const Gdiplus::SolidBrush brush(ColourOf(mark.colour));
    if (!HasArea(inner) || mark.filled) {
        FillRect(g, brush, outer);
        return;
    }
    FillRect(g, brush, {outer.left, outer.top, outer.right, inner.top});
    FillRect(g, brush, {outer.left, inner.bottom, outer.right, outer.bottom});
    FillRect(g, brush, {outer.left, inner.top, inner.left, inner.bottom});
    FillRect(g, brush, {inner.right, inner.top, outer.right, inner.bottom});
}

void DrawStroke(Gdiplus::Graphics& g, const Mark& mark, const Gdiplus::Color& colour, int width) {
    Gdiplus::Pen pen(colour, static_cast<Gdiplus::REAL>(width));
    pen.SetLineJoin(Gdiplus::LineJoinRound);
    pen.SetStartCap(Gdiplus::LineCapRound);
    pen.SetEndCap(Gdiplus::LineCapRound);
    if (mark.points.size() == 1) {
        const Gdiplus::SolidBrush brush(colour);
        const Gdiplus::PointF at = Centre(mark.points[0]);
        g.FillEllipse(&brush, at.X - width / 2.0f, at.Y - width / 2.0f, float(width), float(width));
        return;
    }
    std::vector<Gdiplus::PointF> points;
    for (const Point& point : mark.points) points.push_back(Centre(point));
    g.DrawLines(&pen, points.data(), static_cast<INT>(points.size()));
}

void DrawArrow(Gdiplus::Graphics& g, const Mark& mark) {
    const auto head = ArrowHead(mark.points[0], mark.points[1], mark.width);
    const Gdiplus::PointF corners[3] = {Centre(head[0]), Centre(head[1]), Centre(head[2])};
    const Gdiplus::PointF shaftEnd = {(corners[1].X + corners[2].X) / 2, (corners[1].Y + corners[2].Y) / 2};
    const Gdiplus::Pen pen(ColourOf(mark.colour), static_cast<Gdiplus::REAL>(mark.width));
    g.DrawLine(&pen, Centre(mark.points[0]), shaftEnd);
    const Gdiplus::SolidBrush brush(ColourOf(mark.colour));
    g.FillPolygon(&brush, corners, 3);
}

void DrawEllipse(Gdiplus::Graphics& g, const Mark& mark) {
    const Box box = BoxOf(mark);
    const Gdiplus::Pen pen(ColourOf(mark.colour), static_cast<Gdiplus::REAL>(mark.width));
    const Gdiplus::PointF low = Centre(box.low);
    const float width = float(box.high.x - box.low.x), height = float(box.high.y - box.low.y);
    if (mark.filled) {
        const Gdiplus::SolidBrush brush(ColourOf(mark.colour));
        g.FillEllipse(&brush, low.X, low.Y, width, height);
    }
    g.DrawEllipse(&pen, low.X, low.Y, width, height);
}

// The toolbar's title face at a height in pixels.
SharedFont FaceOfHeight(int pixels) { return GdiCache().GetFont(0, kBaseDpi * pixels / kTitleFontPixels); }

// Light colours get dark text over them, and dark ones white.
COLORREF ContrastTo(Colour colour) {
    const int red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    constexpr int kLight = 160 * 1000;
    return 299 * red + 587 * green + 114 * blue > kLight ? 0x000000 : 0xFFFFFF;
}

// Line by line where the text's layout puts them, so that what is typed shows where it will stay;
// a filled text on a box in the colour that contrasts with its own.
void DrawText(HDC dc, const Mark& mark, const Rect& clip) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    if (mark.filled) {
        const OwnedBrush box(CreateSolidBrush(ContrastTo(mark.colour)));
        const RECT area = ToWin(BoundsOf(mark));
        ::FillRect(dc, &area, box.get());
    }
    const SelectGuard font(dc, FaceOfHeight(TextHeight(mark.width)).get());
    SetTextColor(dc, mark.colour);
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    const int height = metrics.tmHeight;
    for (std::size_t i = 0; i < LineCount(mark.text); ++i) {
        const std::wstring_view line = LineAt(mark.text, i);
        ExtTextOutW(dc, mark.points.front().x, mark.points.front().y + static_cast<int>(i) * height, 0, nullptr,
                    line.data(), static_cast<UINT>(line.size()), nullptr);
    }
    RestoreDC(dc, saved);
}

// The badge anti-aliased by GDI+, its number by GDI in the toolbar's title face scaled to the badge.
void DrawStep(Gdiplus::Graphics& g, HDC dc, const Mark& mark, const Rect& clip) {
    const int diameter = StepBadgeDiameter(mark.width);
    const Rect box = SquareAround(mark.points[0], diameter);
    const Gdiplus::SolidBrush fill(ColourOf(mark.colour));
    g.FillEllipse(&fill, float(box.left), float(box.top), float(diameter), float(diameter));
    g.Flush(Gdiplus::FlushIntentionSync);
    const std::wstring number = std::to_wstring(mark.number);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    const SelectGuard font(dc, FaceOfHeight(diameter * 3 / 5).get());
    SetTextColor(dc, ContrastTo(mark.colour));
    SetBkMode(dc, TRANSPARENT);
    RECT area = ToWin(box);
    DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RestoreDC(dc, saved);
}

// The stroke, or the box, drawn in its colour on white, then each pixel below multiplied by it: white leaves
// a pixel as it is, and black stays black under any colour.
void MultiplyHighlighter(const PixelSurface& surface, const Mark& mark, const Rect& clip) {
    const Rect area = Intersect(ClampToSize(BoundsOf(mark), surface.ImageSize()), clip);
    if (!HasArea(area)) return;
    const Size size = SizeOf(area);
    const PixelSurface stroke(size);
    if (!stroke) return;
    std::fill(stroke.Bits(), stroke.Bits() + std::ptrdiff_t(stroke.Stride()) * size.cy, std::uint8_t{0xFF});
    {
        Gdiplus::Graphics g(stroke.dc());
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        g.TranslateTransform(float(-area.left), float(-area.top));
        if (mark.filled)
            FillRect(g, Gdiplus::SolidBrush(ColourOf(mark.colour)), PointArea(mark));
        else
            DrawStroke(g, mark, ColourOf(mark.colour), HighlighterThickness(mark.width));
        g.Flush(Gdiplus::FlushIntentionSync);
    }
    GdiFlush();
    for (int y = 0; y < size.cy; ++y) {
        std::uint8_t* below = surface.Bits() + std::ptrdiff_t(area.top + y) * surface.Stride() +
                              std::ptrdiff_t(area.left) * kBytesPerPixel;
        const std::uint8_t* over = stroke.Bits() + std::ptrdiff_t(y) * stroke.Stride();
        for (int x = 0; x < size.cx * kBytesPerPixel; x += kBytesPerPixel)
            for (int c = 0; c < kChannels; ++c) below[x + c] = std::uint8_t((below[x + c] * over[x + c] + 127) / 255);
    }
}

void DrawOne(Gdiplus::Graphics& g, const PixelSurface& surface, const Mark& mark, const Rect& clip) {
    if (mark.kind == MarkKind::Step) {
        DrawStep(g, surface.dc(), mark, clip);
        return;
    }
    if (mark.kind == MarkKind::Text) {
        g.Flush(Gdiplus::FlushIntentionSync);  // GDI draws it, over what GDI+ drew
        DrawText(surface.dc(), mark, clip);
        return;
    }
    switch (mark.kind) {
        case MarkKind::Rectangle: DrawRectangle(g, mark); return;
        case MarkKind::Ellipse: DrawEllipse(g, mark); return;
        case MarkKind::Arrow: DrawArrow(g, mark); return;
        case MarkKind::Line:
        case MarkKind::Pen: DrawStroke(g, mark, ColourOf(mark.colour), mark.width); return;
        case MarkKind::Highlighter:
        case MarkKind::Pixelate:
        case MarkKind::Blur: break;
        case MarkKind::Step:
        case MarkKind::Text:
        case MarkKind::Spotlight: return;
    }
    // These work on the pixels themselves: what GDI+ drew before must be there.
    g.Flush(Gdiplus::FlushIntentionSync);
    GdiFlush();
    if (mark.kind == MarkKind::Highlighter)
        MultiplyHighlighter(surface, mark, clip);
    else if (mark.kind == MarkKind::Blur)
        Blur(surface.Bits(), surface.Stride(), surface.ImageSize(), PointArea(mark));
    else
        Pixelate(surface.Bits(), surface.Stride(), surface.ImageSize(), PointArea(mark));
}
}  // namespace

GdiTextFont::GdiTextFont() : dc_(CreateCompatibleDC(nullptr)) {}

int GdiTextFont::LineHeight(int width) const {
    const SelectGuard font(dc_.get(), FaceOfHeight(TextHeight(width)).get());
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc_.get(), &metrics);
    return metrics.tmHeight;
}

int GdiTextFont::LineWidth(std::wstring_view line, int width) const {
    const SelectGuard font(dc_.get(), FaceOfHeight(TextHeight(width)).get());
    SIZE extent = {};
    GetTextExtentPoint32W(dc_.get(), line.data(), static_cast<int>(line.size()), &extent);
    return extent.cx;
}

void DrawMarks(const PixelSurface& surface, const std::vector<const Mark*>& marks, const Rect& clip) {
    Gdiplus::Graphics g(surface.dc());
    g.SetClip(ToGdiPlus(clip));
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    for (const Mark* mark : marks)
        if (HasArea(Intersect(BoundsOf(*mark), clip))) DrawOne(g, surface, *mark, clip);
    g.Flush(Gdiplus::FlushIntentionSync);
    GdiFlush();
}

}  // namespace Vorlune
