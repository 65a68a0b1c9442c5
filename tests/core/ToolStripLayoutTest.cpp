#include "core/ToolStripLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vorlune {
namespace {

TEST(ToolStripLayout, At96DpiTheButtonsLieWhereTheStripHasThem) {
    const ToolStripLayout layout = LayOutToolStrip(96, 700);
    EXPECT_EQ(layout.strip, (Rect{0, 0, 700, 32}));
    EXPECT_EQ(layout.tools[0], (Rect{4, 4, 30, 28}));
    EXPECT_EQ(layout.colours[8], (Rect{376, 16, 388, 27}));
    EXPECT_EQ(layout.widths[4], (Rect{592, 4, 616, 28}));
    EXPECT_EQ(layout.fill, (Rect{626, 4, 652, 28}));
    EXPECT_EQ(layout.pin, (Rect{654, 4, 680, 28}));
    EXPECT_EQ(ToolStripWidth(96), 684);
}

TEST(ToolStripLayout, AtEveryScaleTheButtonsLieApartInsideTheStripsWidth) {
    for (int dpi : {96, 120, 144, 192}) {
        const ToolStripLayout layout = LayOutToolStrip(dpi, ToolStripWidth(dpi));
        std::vector<Rect> buttons(std::begin(layout.tools), std::end(layout.tools));
        buttons.insert(buttons.end(), std::begin(layout.colours), std::end(layout.colours));
        buttons.insert(buttons.end(), std::begin(layout.widths), std::end(layout.widths));
        buttons.push_back(layout.fill);
        buttons.push_back(layout.pin);
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(Intersect(buttons[i], layout.strip), buttons[i]) << dpi << " button " << i;
            for (std::size_t j = i + 1; j < buttons.size(); ++j)
                EXPECT_FALSE(HasArea(Intersect(buttons[i], buttons[j]))) << dpi << ": " << i << " and " << j;
        }
    }
}

}  // namespace
}  // namespace Vorlune
