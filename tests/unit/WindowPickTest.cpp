#include <gtest/gtest.h>

#include <vector>

#include "Capture/WindowBounds.h"
#include "Capture/WindowGeometry.h"
#include "Capture/WindowList.h"
#include "CaptureProbe.h"
#include "FakeDwm.h"

// Picking on rectangles given as data, and the DWM answers through a fake.
namespace Vorlune::Test {
namespace {

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

struct Shape {
    RECT bounds;  // frame bounds, snapshot coordinates
    RECT rect;    // window rectangle
};

// Top-levels 0 and 1 overlap; 0 holds a panel (0) with a box inside (1), a sibling (2)
// whose corners both lie outside the box, and a child (3) sticking out on the right.
const std::vector<RECT> kTops = {{100, 100, 500, 400}, {300, 200, 800, 600}};
const std::vector<Shape> kChildren = {{{150, 150, 300, 300}, {150, 150, 300, 300}},
                                      {{160, 160, 250, 250}, {160, 160, 250, 250}},
                                      {{140, 200, 320, 220}, {140, 200, 320, 220}},
                                      {{450, 120, 600, 180}, {450, 120, 600, 180}}};

int Top(POINT p) {
    return FirstContaining(kTops.size(), [](size_t i) { return kTops[i]; }, p);
}
int Child(POINT p) {
    return NestedPick(
        kTops[0], kChildren.size(), [](size_t i) { return kChildren[i].bounds; },
        [](size_t i) { return kChildren[i].rect; }, p);
}

TEST(WindowHitTest, PicksTheHighestTopLevelAndTheDeepestNestedChild) {
    const struct {
        POINT point;
        int top, child;
    } cases[] = {
        {{350, 250}, 0, kNoPick},   // in both top-levels: the higher one
        {{600, 500}, 1, kNoPick},   // the lower one alone
        {{500, 400}, 1, kNoPick},   // right and bottom edges are outside
        {{100, 100}, 0, kNoPick},   // left and top inside
        {{99, 100}, kNoPick, kNoPick},
        {{280, 280}, 0, 0},         // the panel
        {{200, 170}, 0, 1},         // the box inside it
        {{200, 210}, 0, 1},         // the sibling across the box is nested in it by neither corner
        {{155, 210}, 0, 0},         // nor in the panel
        {{145, 210}, 0, 2},         // but in the top-level
        {{470, 150}, 0, 3},         // the child sticking out, inside its parent's frame
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(Top(c.point), c.top);
        if (c.top == 0) {
            EXPECT_EQ(Child(c.point), c.child);
        }
    }
}

TEST(WindowHitTest, RectangleRules) {
    // Cut to the top-level frame, then to the screen; corners decide nesting and overlap.
    EXPECT_TRUE(Same(Intersect(kChildren[3].bounds, kTops[0]), RECT{450, 120, 500, 180}));
    EXPECT_TRUE(Same(ClampToSize({-50, 900, 2000, 1200}, {1920, 1080}), RECT{0, 900, 1920, 1080}));
    EXPECT_FALSE(HasArea(Intersect({0, 0, 10, 10}, {10, 0, 20, 10})));
    EXPECT_TRUE(Same(ToSnapshot({-1920, 0, -1900, 30}, {-1920, 0}), RECT{0, 0, 20, 30}));
    EXPECT_TRUE(IsNestedIn(RECT{0, 0, 100, 100}, RECT{50, 50, 300, 300}));
    EXPECT_TRUE(IsNestedIn(RECT{0, 0, 100, 100}, RECT{-50, -50, 99, 99}));
    EXPECT_FALSE(IsNestedIn(RECT{0, 0, 100, 100}, RECT{-50, -50, 100, 100}));
    EXPECT_TRUE(CornersOverlap({50, 50, 300, 300}, {0, 0, 100, 100}));
    EXPECT_TRUE(CornersOverlap({0, 0, 100, 100}, {-10, -10, 200, 200}));
    EXPECT_TRUE(CornersOverlap({0, 0, 100, 100}, {100, 100, 200, 200}));  // PtInRect(b, a's bottom-right)
    EXPECT_FALSE(CornersOverlap({0, 0, 100, 100}, {150, 0, 250, 100}));
}

TEST(WindowHitTest, FrameBoundsWhereDwmRendersAndCloakedWindowsAreNotListed) {
    ColourWindow plain({250, 250, 450, 350}, 0x20F080), drawn({200, 200, 400, 300}, 0x2080F0),
        cloaked({220, 220, 300, 280}, 0xF02080);
    FakeDwm dwm;
    dwm.frames[drawn.Handle()] = {207, 200, 393, 293};
    dwm.cloaked.insert(cloaked.Handle());
    EXPECT_TRUE(Same(GetWindowBounds(drawn.Handle(), dwm), RECT{207, 200, 393, 293}));
    EXPECT_TRUE(Same(GetWindowBounds(plain.Handle(), dwm), RECT{250, 250, 450, 350}));
    WindowList list(dwm);
    list.CollectTopLevel();
    std::vector<HWND> listed;
    for (const TopLevelEntry& e : list.windows) listed.push_back(e.window);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), cloaked.Handle()), 0);
    ASSERT_EQ(std::count(listed.begin(), listed.end(), drawn.Handle()), 1);
    // Left of the frame bounds, inside GetWindowRect: the plain window below is not there either.
    EXPECT_EQ(list.HitTest({203, 250}), GetDesktopWindow());
    EXPECT_EQ(list.HitTest({260, 260}), drawn.Handle());  // the cloaked one is higher, but not listed
    EXPECT_EQ(list.HitTest({420, 300}), plain.Handle());
}

}  // namespace
}  // namespace Vorlune::Test
