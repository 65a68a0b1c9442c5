#include "core/ToolbarLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vorlune {
namespace {

std::vector<Rect> Buttons(const ToolbarLayout& layout) {
    const TitleBarLayout& bar = layout.titleBar;
    std::vector<Rect> buttons = {bar.system, bar.close, bar.minimise, bar.cursorToggle, bar.markUpToggle};
    for (int i = 0; i < kCommandCount; ++i) {
        buttons.push_back(layout.clientArea.commands[i]);
        buttons.push_back(layout.clientArea.toggles[i]);
    }
    return buttons;
}

TEST(ToolbarLayout, At96DpiEveryPlaceIsTheToolbarsOwn) {
    const ToolbarLayout layout = LayOutToolbar(96);
    EXPECT_EQ(layout.window, (Size{230, 89}));
    EXPECT_EQ(layout.titleBar.close, (Rect{201, 1, 229, 25}));
    EXPECT_EQ(layout.titleBar.minimise, (Rect{172, 1, 200, 25}));
    EXPECT_EQ(layout.titleBar.cursorToggle, (Rect{143, 4, 171, 23}));
    EXPECT_EQ(layout.titleBar.markUpToggle, (Rect{114, 4, 142, 23}));
    EXPECT_EQ(layout.titleBar.system, (Rect{3, 3, 24, 24}));
    EXPECT_EQ(layout.titleBar.caption, (Rect{25, 1, 229, 26}));
    EXPECT_EQ(layout.clientArea.commands[0], (Rect{4, 30, 46, 68}));
    EXPECT_EQ(layout.clientArea.commands[4], (Rect{184, 30, 226, 68}));
    EXPECT_EQ(layout.clientArea.toggles[4], (Rect{186, 72, 224, 86}));
    EXPECT_EQ(layout.clientArea.band, (Rect{1, 69, 229, 88}));
}

TEST(ToolbarLayout, At150PercentTheToolbarIsHalfAgainAsLarge) {
    const ToolbarLayout layout = LayOutToolbar(144);
    EXPECT_EQ(layout.window, (Size{345, 134}));
    EXPECT_EQ(layout.clientArea.commands[0], (Rect{6, 45, 69, 102}));
    EXPECT_EQ(layout.lineWidth, 2);
}

TEST(ToolbarLayout, AtEveryScaleTheButtonsLieApartInsideTheToolbar) {
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        const ToolbarLayout layout = LayOutToolbar(dpi);
        const Rect window = {0, 0, layout.window.cx, layout.window.cy};
        const std::vector<Rect> buttons = Buttons(layout);
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(Intersect(buttons[i], window), buttons[i]) << dpi << " button " << i;
            for (std::size_t j = i + 1; j < buttons.size(); ++j)
                EXPECT_FALSE(HasArea(Intersect(buttons[i], buttons[j]))) << dpi << ": " << i << " and " << j;
        }
    }
}

TEST(ToolbarLayout, APictureIsCentredWithTheOddPixelBelow) {
    EXPECT_EQ(CentredPicture({4, 30, 46, 68}, {36, 25}, 96), (Rect{7, 37, 43, 62}));
    EXPECT_EQ(CentredPicture({6, 45, 69, 102}, {36, 25}, 144), (Rect{10, 55, 64, 93}));
}

}  // namespace
}  // namespace Vorlune
