// The mark-up window in this process, driven by real keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
#include "GlimraApp.h"
#include "MessageBoxWatcher.h"
#include "Output.h"
#include "Screen.h"
#include "Wait.h"
#include "app/AppContext.h"
#include "draw/Primitives.h"
#include "markup/MarkupWindow.h"

namespace Vorlune::Test {
namespace {

constexpr SIZE kImage = {120, 80};

class MarkupWindowTest : public testing::Test {
protected:
    MarkupWindowTest() {
        for (int y = 0; y < kImage.cy; ++y)
            for (int x = 0; x < kImage.cx; ++x) SetPixelV(source_.dc(), x, y, ScreenPattern(x, y));
    }
    ~MarkupWindowTest() override {
        if (IsWindow(Window())) PostMessageW(Window(), WM_CLOSE, 0, 0);
        WaitUntil([&] { return !IsWindow(Window()); });
    }
    // Opened over a pick at (500, 400), in front and taking keys.
    bool Open() {
        TheMarkupWindow().Open(CaptureArea(source_.dc(), {0, 0}, kImage), {500, 400, 540, 430}, [&] { ++closes; });
        return WaitUntil([&] { return GetForegroundWindow() == Window(); }) && Idle(Window());
    }
    static HWND Window() { return TheMarkupWindow().Handle(); }
    // A real drag between two image pixels, through the one midway.
    void Drag(Point from, Point to) const {
        const MarkupWindow& window = TheMarkupWindow();
        Input(MOUSEEVENTF_LEFTDOWN, window.ScreenPointOf(from));
        Input(0, window.ScreenPointOf({(from.x + to.x) / 2, (from.y + to.y) / 2}));
        Input(MOUSEEVENTF_LEFTUP, window.ScreenPointOf(to));
    }
    void Click(Point at) const {
        Input(MOUSEEVENTF_LEFTDOWN, TheMarkupWindow().ScreenPointOf(at));
        Input(MOUSEEVENTF_LEFTUP, TheMarkupWindow().ScreenPointOf(at));
    }
    // Enter, then the file written last.
    DecodedImage Output() {
        return PressToClose({VK_RETURN}) ? folder_.Image(folder_.Images().size() - 1) : DecodedImage();
    }
    // The keys, then the window closed once more.
    bool PressToClose(const std::vector<WORD>& keys) {
        const int before = closes;
        PressChord(keys);
        return WaitUntil([&] { return closes == before + 1; }) && !IsWindow(Window());
    }
    // The text tool, a click at (10, 10), the keys and Escape.
    void TypeText(const std::vector<WORD>& keys) const {
        PressKey('T');
        Click({10, 10});
        for (WORD key : keys) PressKey(key);
        PressKey(VK_ESCAPE);
    }

    ImageFolderGuard folder_;
    MessageBoxWatcher boxes_{0, IDNO};  // a question is answered No
    const MemorySurface source_{CreateDib24(kImage.cx, kImage.cy)};
    int closes = 0;
};

class OutputKeys : public MarkupWindowTest, public testing::WithParamInterface<std::vector<WORD>> {};

// Without marks the file is what the output step writes of the pick itself.
TEST_P(OutputKeys, WriteThePickAsTheOutputStepWouldAndClose) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(PressToClose(GetParam()));
    ImageFileNamer namer;
    FinishCapture(namer, source_.dc(), nullptr, {0, 0}, kImage);
    const std::vector<std::wstring> images = folder_.Images();
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(ReadBytes(images[0]), ReadBytes(images[1]));
}
INSTANTIATE_TEST_SUITE_P(MarkupWindow, OutputKeys,
                         testing::Values(std::vector<WORD>{VK_RETURN}, std::vector<WORD>{VK_CONTROL, 'S'}));

// An Enter that finished the pick and is still held repeats into the window.
TEST_F(MarkupWindowTest, AnEnterHeldSinceThePickOutputsNothing) {
    ASSERT_TRUE(Open());
    SendMessageW(Window(), WM_KEYDOWN, VK_RETURN, LPARAM{1} << 30);
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_TRUE(folder_.Images().empty());
}

class CloseKeys : public MarkupWindowTest, public testing::WithParamInterface<std::vector<WORD>> {};

TEST_P(CloseKeys, CloseWithoutOutputOrQuestionWhenThereAreNoMarks) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(PressToClose(GetParam()));
    EXPECT_TRUE(folder_.Images().empty());
    EXPECT_TRUE(boxes_.Seen().empty());
}
INSTANTIATE_TEST_SUITE_P(MarkupWindow, CloseKeys,
                         testing::Values(std::vector<WORD>{VK_ESCAPE}, std::vector<WORD>{VK_MENU, VK_F4}));

TEST_F(MarkupWindowTest, CtrlCPutsTheBitmapAndThePngOnTheClipboardAndStaysOpen) {
    SetClipboardText(nullptr, L"the user's text");
    ASSERT_TRUE(Open());
    PressChord({VK_CONTROL, 'C'});
    ASSERT_TRUE(WaitUntil([] { return !ClipboardBytes(RegisterClipboardFormatW(L"PNG")).empty(); }));
    EXPECT_TRUE(ShowsThePattern(ClipboardImage(), {0, 0, kImage.cx, kImage.cy}));
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(folder_.Images().empty());
}

constexpr COLORREF kRed = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0x000000;

// White above row 60, black below; the marks drawn in red, the first colour, 3 pixels wide.
class MarkupDrawing : public MarkupWindowTest {
protected:
    MarkupDrawing() {
        DrawFilledRectangle(source_.dc(), {0, 0, kImage.cx, kImage.cy}, kWhite, kWhite);
        DrawFilledRectangle(source_.dc(), {0, 60, kImage.cx, kImage.cy}, kBlack, kBlack);
    }
};

TEST_F(MarkupDrawing, ARectanglesEdgesLieExactlyWhereItWasDragged) {
    ASSERT_TRUE(Open());
    PressKey('R');
    Drag({20, 15}, {70, 50});
    const DecodedImage image = Output();
    ASSERT_EQ(image.width, kImage.cx);
    for (POINT edge : {POINT{19, 30}, POINT{21, 30}, POINT{71, 30}, POINT{45, 14}, POINT{45, 16}, POINT{45, 51}})
        EXPECT_EQ(image.Pixel(edge.x, edge.y), kRed) << edge.x << "," << edge.y;
    for (POINT beside : {POINT{18, 30}, POINT{22, 30}, POINT{72, 30}, POINT{45, 13}, POINT{45, 17}, POINT{45, 52}})
        EXPECT_EQ(image.Pixel(beside.x, beside.y), kWhite) << beside.x << "," << beside.y;
}

TEST_F(MarkupDrawing, AnArrowsHeadEndsAtTheEndPoint) {
    ASSERT_TRUE(Open());
    PressKey('A');
    Drag({10, 30}, {100, 30});
    const DecodedImage image = Output();
    EXPECT_EQ(image.Pixel(95, 30), kRed);
    EXPECT_EQ(image.Pixel(88, 26), kRed);  // wider than the shaft, rows 29-31
    EXPECT_EQ(image.Pixel(102, 30), kWhite);
}

struct Stroke {
    WORD key;
    POINT on;
};
class Strokes : public MarkupDrawing, public testing::WithParamInterface<Stroke> {};

// From (10, 10) to (60, 40): the pen through the midway point, the ellipse in that box.
TEST_P(Strokes, CoverTheirLineInTheColourWhole) {
    ASSERT_TRUE(Open());
    PressKey(GetParam().key);
    Drag({10, 10}, {60, 40});
    EXPECT_EQ(Output().Pixel(GetParam().on.x, GetParam().on.y), kRed);
}
INSTANTIATE_TEST_SUITE_P(MarkupWindow, Strokes,
                         testing::Values(Stroke{'P', {35, 25}}, Stroke{'L', {35, 25}}, Stroke{'E', {10, 25}},
                                         Stroke{'E', {35, 40}}));

TEST_F(MarkupDrawing, AFilledRectanglesInsideIsItsColour) {
    ASSERT_TRUE(Open());
    PressChord({VK_SHIFT, 'F'});
    Drag({20, 15}, {70, 50});
    EXPECT_EQ(Output().Pixel(45, 30), kRed);
}

// A red text's box is white, here on the black below row 60.
TEST_F(MarkupDrawing, AFilledTextStandsOnABoxThatContrastsWithItsColour) {
    ASSERT_TRUE(Open());
    PressChord({VK_SHIFT, 'F'});
    PressKey('T');
    Click({10, 64});
    for (WORD key : std::vector<WORD>{'I', VK_ESCAPE}) PressKey(key);
    const DecodedImage image = Output();
    EXPECT_EQ(image.Pixel(7, 62), kWhite);
    EXPECT_EQ(image.Pixel(5, 62), kBlack);
}

// With the fill on, the highlighter multiplies a box whole: white takes the colour, black stays.
TEST_F(MarkupDrawing, AHighlighterBoxColoursWhiteAndLeavesBlackBlack) {
    ASSERT_TRUE(Open());
    PressChord({VK_SHIFT, 'F'});
    PressKey('H');
    Drag({20, 40}, {70, 75});
    const DecodedImage image = Output();
    EXPECT_EQ(image.Pixel(45, 45), kRed);
    EXPECT_EQ(image.Pixel(45, 70), kBlack);
    EXPECT_EQ(image.Pixel(45, 38), kWhite);
}

// Multiplied: white takes the colour, black stays black.
TEST_F(MarkupDrawing, TheHighlighterColoursWhiteAndLeavesBlackBlack) {
    ASSERT_TRUE(Open());
    PressKey('H');
    Drag({50, 20}, {50, 75});
    const DecodedImage image = Output();
    EXPECT_EQ(image.Pixel(50, 30), kRed);
    EXPECT_EQ(image.Pixel(50, 70), kBlack);
}

TEST_F(MarkupDrawing, EscapeWithMarksAsksFirstAndNoKeepsThem) {
    ASSERT_TRUE(Open());
    Drag({10, 10}, {30, 30});
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(boxes_.WaitForCount(1));
    EXPECT_EQ(boxes_.Seen()[0].text, App().GetText(TextDiscardMarks));
    EXPECT_EQ(Output().Pixel(10, 20), kRed);
}

// The pattern's mean over a block, channel by channel, rounded half up.
COLORREF PatternMean(const RECT& block) {
    int sums[3] = {}, count = 0;
    for (LONG y = block.top; y < block.bottom; ++y)
        for (LONG x = block.left; x < block.right; ++x, ++count) {
            const COLORREF c = ScreenPattern(x, y);
            sums[0] += GetRValue(c), sums[1] += GetGValue(c), sums[2] += GetBValue(c);
        }
    return RGB((sums[0] + count / 2) / count, (sums[1] + count / 2) / count, (sums[2] + count / 2) / count);
}

TEST_F(MarkupWindowTest, APixelatedAreaIsBlocksOfTenEachItsMean) {
    ASSERT_TRUE(Open());
    PressKey('M');
    Drag({10, 10}, {39, 29});
    const DecodedImage image = Output();
    for (LONG top : {10, 20})
        for (LONG left : {10, 20, 30})
            for (int i = 0; i < 100; ++i)
                ASSERT_EQ(image.Pixel(left + i % 10, top + i / 10), PatternMean({left, top, left + 10, top + 10}))
                    << left << "," << top << " pixel " << i;
    EXPECT_EQ(image.Pixel(40, 20), ScreenPattern(40, 20));
}

// A rectangle drawn after the pixelation over a block, then moved: each change composes the whole
// area again, so the block still averages the pattern alone where the rectangle's edges leave it.
TEST_F(MarkupWindowTest, PixelatedBlocksStayTheirMeanWhenAMarkOverThemMoves) {
    ASSERT_TRUE(Open());
    PressKey('M');
    Drag({10, 10}, {39, 29});
    PressKey('R');
    Drag({22, 25}, {60, 45});
    PressKey('V');
    Drag({60, 35}, {62, 37});  // its edges now on rows 26-28 and columns 23-25
    const DecodedImage image = Output();
    for (LONG y = 20; y < 30; ++y)
        for (LONG x = 20; x < 30; ++x) {
            if (y >= 26 && x >= 23) continue;
            ASSERT_EQ(image.Pixel(x, y), PatternMean({20, 20, 30, 30})) << x << "," << y;
        }
}

// Each channel's mean over an area.
std::array<double, 3> MeanOf(const DecodedImage& image, const RECT& area) {
    std::array<double, 3> sums = {};
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x) {
            const COLORREF c = image.Pixel(x, y);
            sums[0] += GetRValue(c), sums[1] += GetGValue(c), sums[2] += GetBValue(c);
        }
    const double count = double(area.right - area.left) * (area.bottom - area.top);
    return {sums[0] / count, sums[1] / count, sums[2] / count};
}

// "WWW" in red on white, then blurred: no pixel keeps the ink, and the area's mean stays within
// 4 of 255 (the windows cut at the area's edges weigh the pixels near them less).
TEST_F(MarkupDrawing, ABlurOverATextLeavesNoPixelOfItsInkAndKeepsTheAreasMean) {
    const RECT area = {5, 5, 71, 41};
    ASSERT_TRUE(Open());
    TypeText({'W', 'W', 'W'});
    const DecodedImage typed = Output();
    ASSERT_TRUE(Open());
    TypeText({'W', 'W', 'W'});
    PressKey('B');
    Drag({area.left, area.top}, {area.right - 1, area.bottom - 1});
    const DecodedImage blurred = Output();
    ASSERT_EQ(blurred.width, kImage.cx);
    ASSERT_EQ(typed.Pixel(12, 22), kRed);  // the first W's left stroke
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x) ASSERT_NE(blurred.Pixel(x, y), kRed) << x << "," << y;
    const std::array<double, 3> before = MeanOf(typed, area), after = MeanOf(blurred, area);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(after[c], before[c], 4.0) << c;
}

// Outside the two holes each channel keeps 40 %, rounded; inside them the picture is as it was.
TEST_F(MarkupWindowTest, TheSpotlightDarkensAllButItsHoles) {
    ASSERT_TRUE(Open());
    PressKey('S');
    Drag({10, 10}, {39, 29});
    Drag({60, 40}, {89, 59});
    const DecodedImage image = Output();
    ASSERT_EQ(image.width, kImage.cx);
    const auto dimmed = [](BYTE channel) { return BYTE((channel * 40 + 50) / 100); };
    for (LONG y = 0; y < kImage.cy; ++y)
        for (LONG x = 0; x < kImage.cx; ++x) {
            const COLORREF c = ScreenPattern(x, y);
            const bool hole = (x >= 10 && x < 40 && y >= 10 && y < 30) || (x >= 60 && x < 90 && y >= 40 && y < 60);
            const COLORREF expected = hole ? c : RGB(dimmed(GetRValue(c)), dimmed(GetGValue(c)), dimmed(GetBValue(c)));
            ASSERT_EQ(image.Pixel(x, y), expected) << x << "," << y;
        }
}

TEST_F(MarkupWindowTest, ACropAppliedWithEnterIsWhatTheOutputHas) {
    ASSERT_TRUE(Open());
    PressKey('C');
    Drag({10, 10}, {59, 39});
    PressKey(VK_RETURN);
    EXPECT_TRUE(ShowsThePattern(Output(), {10, 10, 60, 40}));
}

// Red badges with a white number: each has its own.
TEST_F(MarkupDrawing, EachStepBadgeHasTheNextNumber) {
    ASSERT_TRUE(Open());
    PressKey('N');
    Click({30, 30});
    Click({80, 30});
    const DecodedImage image = Output();
    std::vector<COLORREF> numbers[2];
    for (int badge = 0; badge < 2; ++badge) {
        EXPECT_EQ(image.Pixel(30 + 50 * badge - 13, 30), kRed);
        for (int i = 0; i < 16 * 16; ++i) numbers[badge].push_back(image.Pixel(22 + 50 * badge + i % 16, 22 + i / 16));
        EXPECT_NE(std::count(numbers[badge].begin(), numbers[badge].end(), kWhite), 0) << badge;
    }
    EXPECT_NE(numbers[0], numbers[1]);
}

// Whether any pixel of the band of rows, in columns 10 to 40, is not white.
bool Inked(const DecodedImage& image, LONG top, LONG bottom) {
    for (LONG y = top; y < bottom; ++y)
        for (LONG x = 10; x < 40; ++x)
            if (image.Pixel(x, y) != kWhite) return true;
    return false;
}

// Lines 24 pixels high from row 10: the second from row 34.
TEST_F(MarkupDrawing, EnterWhileATextIsTypedStartsANewLineAndOutputsNothing) {
    ASSERT_TRUE(Open());
    PressKey('T');
    Click({10, 10});
    for (WORD key : std::vector<WORD>{'A', 'B', VK_RETURN, 'C', VK_ESCAPE}) PressKey(key);
    const DecodedImage image = Output();
    ASSERT_EQ(image.width, kImage.cx);
    EXPECT_TRUE(Inked(image, 12, 32));
    EXPECT_TRUE(Inked(image, 36, 56));
}

// "hllo" finished, double-clicked with the select tool and mended after its first letter
// comes out as "hello" typed in one go does.
TEST_F(MarkupDrawing, ATextEditedAgainInTheMiddleIsOutputAsTheChangedText) {
    ASSERT_TRUE(Open());
    TypeText({'H', 'L', 'L', 'O'});
    PressKey('V');
    Click({15, 20});
    Click({15, 20});
    for (WORD key : std::vector<WORD>{VK_HOME, VK_RIGHT, 'E', VK_ESCAPE}) PressKey(key);
    const DecodedImage edited = Output();
    ASSERT_TRUE(Open());
    TypeText({'H', 'E', 'L', 'L', 'O'});
    const DecodedImage typed = Output();
    ASSERT_TRUE(Inked(typed, 12, 32));
    EXPECT_EQ(edited.bgr, typed.bgr);
}

TEST_F(MarkupDrawing, WhileAnInputMethodComposesEnterAndEscapeAreItsOwn) {
    ASSERT_TRUE(Open());
    PressKey('T');
    Click({10, 10});
    PressKey('A');
    ASSERT_TRUE(WaitUntil([] { return true; }));  // the keys so far are the text's
    SendMessageW(Window(), WM_IME_STARTCOMPOSITION, 0, 0);
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([] { return true; }));
    SendMessageW(Window(), WM_IME_ENDCOMPOSITION, 0, 0);
    PressKey(VK_ESCAPE);
    const DecodedImage image = Output();
    ASSERT_EQ(image.width, kImage.cx);
    EXPECT_TRUE(Inked(image, 12, 32));
    EXPECT_FALSE(Inked(image, 36, 56));
    EXPECT_TRUE(boxes_.Seen().empty()) << "the first Escape ended the text, the second asked to discard it";
}

// The image 120 x 80 in a view 80 high: at 125 % it scrolls 20 pixels up and down.
class MarkupView : public MarkupWindowTest {
protected:
    LONG Top(LONG y) const { return TheMarkupWindow().ScreenPointOf({60, y}).y; }
    // Zoomed in about (60, 40), which stays where it was: the view scrolled to 10.
    bool ZoomIn() {
        const LONG before = Top(40);
        return TurnWheel(TheMarkupWindow().ScreenPointOf({60, 40}), 1, VK_CONTROL) &&
               WaitUntil([&] { return Top(60) - Top(40) == 25; }) && Top(40) == before;
    }
};

TEST_F(MarkupView, CtrlWheelZoomsInAboutThePixelUnderTheCursor) {
    ASSERT_TRUE(Open());
    EXPECT_TRUE(ZoomIn());
}

TEST_F(MarkupView, TheWheelScrollsAsFarAsTheImageGoes) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(ZoomIn());
    const LONG before = Top(40);
    ASSERT_TRUE(TurnWheel(TheMarkupWindow().ScreenPointOf({60, 40}), -1, VK_SHIFT));  // across: nothing to scroll
    ASSERT_TRUE(TurnWheel(TheMarkupWindow().ScreenPointOf({60, 40}), -1));
    EXPECT_TRUE(WaitUntil([&] { return Top(40) == before - 10; }));
}

TEST_F(MarkupView, AMiddleButtonDragPans) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(ZoomIn());
    const POINT at = TheMarkupWindow().ScreenPointOf({60, 40});
    const LONG before = Top(40);
    Input(MOUSEEVENTF_MIDDLEDOWN, at);
    Input(0, {at.x, at.y - 5});
    Input(MOUSEEVENTF_MIDDLEUP, {at.x, at.y - 5});
    EXPECT_TRUE(WaitUntil([&] { return Top(40) == before - 5; }));
}

}  // namespace
}  // namespace Vorlune::Test
