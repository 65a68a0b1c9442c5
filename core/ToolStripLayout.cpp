#include "core/ToolStripLayout.h"

#include "core/Dpi.h"

namespace Vorlune {

namespace {
constexpr int kHeight = 32;
constexpr int kMargin = 4;
constexpr int kGap = 8;
constexpr Size kTool = {26, 24};
constexpr int kToolPitch = 28;
constexpr Size kSwatch = {12, 11};
constexpr int kSwatchPitch = 13;
constexpr int kSwatchRowPitch = 12;
constexpr int kSwatchesPerRow = 8;
constexpr Size kWidthButton = {24, 24};
constexpr int kWidthPitch = 26;

constexpr int kColoursLeft = kMargin + kToolPitch * kToolCount + kGap;
constexpr int kWidthsLeft = kColoursLeft + kSwatchPitch * kSwatchesPerRow + kGap;
constexpr int kFillLeft = kWidthsLeft + kWidthPitch * kWidthCount + kGap;
constexpr int kPinLeft = kFillLeft + kToolPitch;
constexpr int kRight = kPinLeft + kTool.cx + kMargin;

Rect At(int left, int top, Size size) { return {left, top, left + size.cx, top + size.cy}; }
}  // namespace

ToolStripLayout LayOutToolStrip(int dpi, int clientWidth) {
    ToolStripLayout layout = {};
    layout.strip = {0, 0, clientWidth, Scaled(kHeight, dpi)};
    for (int i = 0; i < kToolCount; ++i) layout.tools[i] = Scaled(At(kMargin + kToolPitch * i, kMargin, kTool), dpi);
    for (int i = 0; i < kPaletteSize; ++i)
        layout.colours[i] = Scaled(At(kColoursLeft + kSwatchPitch * (i % kSwatchesPerRow),
                                      kMargin + kSwatchRowPitch * (i / kSwatchesPerRow), kSwatch),
                                   dpi);
    for (int i = 0; i < kWidthCount; ++i)
        layout.widths[i] = Scaled(At(kWidthsLeft + kWidthPitch * i, kMargin, kWidthButton), dpi);
    layout.fill = Scaled(At(kFillLeft, kMargin, kTool), dpi);
    layout.pin = Scaled(At(kPinLeft, kMargin, kTool), dpi);
    return layout;
}

int ToolStripWidth(int dpi) { return Scaled(kRight, dpi); }

}  // namespace Vorlune
