#include "core/ToolbarLayout.h"

#include "core/Dpi.h"

namespace Vorlune {

namespace {
constexpr Size kWindow = {230, 89};
constexpr Rect kTitleBar = {1, 1, 229, 26};
constexpr Rect kClientArea = {1, 26, 229, 88};
constexpr int kCommandPitch = 45;

TitleBarLayout TitleBarAt96() {
    const auto [l, t, r, b] = kTitleBar;
    const int h = b - t - 2;
    const int captionLeft = l + 1 + h;
    return {kTitleBar,
            {captionLeft, t, r, b},
            {captionLeft + 6, t + 2, r, b},
            {l + 2, t + 2, l + h, t + h},
            {r - 28, t, r, b - 1},
            {r - 57, t, r - 29, b - 1},
            {r - 86, t + 3, r - 58, b - 3},
            {r - 115, t + 3, r - 87, b - 3}};
}

ClientAreaLayout ClientAreaAt96() {
    const auto [l, t, r, b] = kClientArea;
    ClientAreaLayout layout = {kClientArea, {1, t + 43, r, b}, {}, {}};
    for (int i = 0; i < kCommandCount; ++i) {
        const int x = l + kCommandPitch * i;
        layout.commands[i] = {x + 3, t + 4, x + 45, t + 42};
        layout.toggles[i] = {x + 5, t + 46, x + 43, t + 60};
    }
    return layout;
}
}  // namespace

ToolbarLayout LayOutToolbar(int dpi) {
    TitleBarLayout bar = TitleBarAt96();
    for (Rect* r : {&bar.bar, &bar.caption, &bar.text, &bar.system, &bar.close, &bar.minimise, &bar.cursorToggle,
                    &bar.markUpToggle})
        *r = Scaled(*r, dpi);
    ClientAreaLayout area = ClientAreaAt96();
    area.area = Scaled(area.area, dpi);
    area.band = Scaled(area.band, dpi);
    for (int i = 0; i < kCommandCount; ++i) {
        area.commands[i] = Scaled(area.commands[i], dpi);
        area.toggles[i] = Scaled(area.toggles[i], dpi);
    }
    return {dpi, Scaled(kWindow, dpi), LineWidth(dpi), bar, area};
}

Rect CentredPicture(const Rect& box, Size size, int dpi) {
    const Size scaled = Scaled(size, dpi);
    const Size room = SizeOf(box);
    const int left = box.left + (room.cx - scaled.cx) / 2;
    const int top = box.top + (room.cy - scaled.cy + 1) / 2;
    return {left, top, left + scaled.cx, top + scaled.cy};
}

}  // namespace Vorlune
