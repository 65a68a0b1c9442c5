// The toolbar's buttons and containers on the real toolbar's handlers, INI file and tooltip.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "Process.h"
#include "Scratch.h"
#include "SettingGuard.h"
#include "ToolbarHost.h"
#include "Wait.h"
#include "app/AppContext.h"
#include "draw/ToolTip.h"
#include "widgets/ButtonList.h"

namespace Vorlune::Test {
namespace {

constexpr TextId kToggles[] = {TextZoomToggle,     TextWindowToggle, TextHiddenWindowToggle, TextDelayToggle,
                               TextLanguageToggle, TextCursorToggle, TextMarkUpToggle};

// Every toggle off, the cursor away from the toolbar, fresh containers.
ToolbarHost& Fresh(bool focus = true) {
    for (TextId id : kToggles) Store().SetToggle(id, 0);
    SetCursorPos(0, 0);
    ToolbarHost& h = ToolbarHost::Get();
    h.Build();
    h.Send(focus ? WM_SETFOCUS : WM_MOUSEMOVE);
    return h;
}

// After each test: toggles, language and cursor as they were, the toolbar and its hint away.
class Toolbar : public testing::Test {
protected:
    ToggleGuard guards[7] = {{kToggles[0], 0}, {kToggles[1], 0}, {kToggles[2], 0}, {kToggles[3], 0},
                             {kToggles[4], 0}, {kToggles[5], 0}, {kToggles[6], 0}};
    int language = App().Language;
    POINT cursor = {};
    Toolbar() { GetCursorPos(&cursor); }
    ~Toolbar() override {
        ShowWindow(ToolbarHost::Get().hwnd, SW_HIDE);
        TheToolTip().Hide();
        App().Language = language;
        SetCursorPos(cursor.x, cursor.y);
        PumpMessages();
    }
};

struct Step {
    UINT message;
    int x, y;
};
Step Move(int x, int y) { return {WM_MOUSEMOVE, x, y}; }
Step Down(int x, int y) { return {WM_LBUTTONDOWN, x, y}; }
Step Up(int x, int y) { return {WM_LBUTTONUP, x, y}; }
void Play(const ToolbarHost& h, const std::vector<Step>& steps) {
    for (const Step& s : steps) h.Send(s.message, s.x, s.y);
}

// Each event call of a button, in the order the list makes them.
struct Recorder : Button {
    Recorder(LONG left, std::string& log)
        : Button(nullptr, {left, 0, left + 10, 10}, TextRectangleButton, kBaseDpi), log_(log) {}
    void Note(const char* what) { log_ += std::to_string(Rect().left / 10) + what + " "; }
    void Activate() override {}
    void Deactivate() override {}
    void Draw(HDC) override {}
    void DrawContent(HDC) override {}
    void OnMouseEnter() override { Note("enter"); }
    void OnMouseLeave() override { Note("leave"); }
    void OnLButtonUp(POINT) override { Note("up"); }
    void OnLButtonDown(POINT) override { Note("down"); }
    void OnMouseMove(POINT) override { Note("move"); }
    void Execute(POINT) override { Note("run"); }
    std::string& log_;
};

TEST(ButtonList, CallsItsButtonsInTheOrderOfTheMouse) {
    // Buttons 0 and 1 side by side, 10 high; x 5 is on 0, 10 and 15 on 1, 30 on none.
    const std::pair<std::vector<Step>, const char*> cases[] = {
        {{Move(5, 5), Move(15, 5)}, "0enter 0move 1enter 0leave 1move "},
        {{Down(5, 5), Up(5, 5)}, "0down 0up 0run "},
        {{Move(5, 5), Down(5, 5), Move(15, 5), Up(15, 5)}, "0enter 0move 0down 0leave 0up "},
        {{Move(5, 5), Down(5, 5), Move(30, 5), Move(5, 5), Up(5, 5)}, "0enter 0move 0down 0leave 0enter 0up 0run "},
        {{Down(30, 5), Up(5, 5)}, ""},
        {{Move(9, 9), Move(10, 9)}, "0enter 0move 1enter 0leave 1move "},  // the right edge is the next one's
        {{Move(5, 10)}, ""},  // the bottom edge is outside
    };
    for (const auto& [steps, calls] : cases) {
        std::string log;
        ButtonList list;
        list.Add(std::make_unique<Recorder>(0, log));
        list.Add(std::make_unique<Recorder>(10, log));
        for (const Step& s : steps) {
            if (s.message == WM_MOUSEMOVE)
                list.OnMouseMove({s.x, s.y});
            else if (s.message == WM_LBUTTONUP)
                list.OnLButtonUp({s.x, s.y});
            else
                list.OnLButtonDown({s.x, s.y});
        }
        EXPECT_EQ(log, calls);
        EXPECT_FALSE(list.Pressing());
    }
}

// Command 0 filled at (25, 33), framed at (4, 50), command 4's picture with a hole at (205, 49); toggle 5
// filled at (10, 79), framed at (6, 79); the cursor toggle's arrow, the close cross and the minimise bar.
TEST_F(Toolbar, ButtonsPaintTheColoursOfEveryState) {
    const Step hover0 = Move(25, 50), press0 = Down(25, 50), hover5 = Move(10, 79), press5 = Down(10, 79);
    const Step kill = {WM_KILLFOCUS, 0, 0};
    const struct {
        std::vector<Step> steps;
        POINT at;
        COLORREF colour;
    } cases[] = {
        {{}, {25, 33}, 0xC0C0C0},
        {{}, {205, 49}, 0xC0C0C0},
        {{}, {211, 49}, 0x3939F4},
        {{}, {152, 6}, 0x1C1818},
        {{}, {212, 10}, 0x080705},
        {{}, {186, 13}, 0},
        {{}, {128, 13}, RGB(40, 90, 200)},  // the pen's body
        {{}, {6, 79}, 0xFFFFFF},
        {{hover0}, {25, 33}, 0x3EF0FC},
        {{hover0, press0}, {25, 33}, 0x00A5FF},
        {{hover0, press0}, {4, 50}, 0x000000},
        {{hover0, press0, Move(25, 80)}, {25, 33}, 0xC0C0C0},
        {{hover0, press0, Move(25, 80), hover0}, {25, 33}, 0x00A5FF},
        {{hover0, press0, Up(25, 50)}, {25, 33}, 0x3EF0FC},
        {{hover0, kill}, {186, 13}, 0x999999},
        // Toggle 5 hovered (the focus going leaves its colours), held, on and hovered, on.
        {{hover5, kill}, {10, 79}, 0x2FECFA},
        {{hover5, press5}, {6, 79}, 0xAAAAAA},
        {{hover5, press5, Up(10, 79)}, {10, 79}, 0x52C9D1},
        {{hover5, press5, Up(10, 79), Move(10, 100)}, {6, 79}, 0x808080},
        {{Move(205, 5)}, {205, 5}, 0x2311E8},
        {{Move(205, 5), Down(205, 5)}, {205, 5}, 0x7A70F1},
        {{Move(175, 5)}, {175, 5}, 0xE5E5E5},
    };
    for (const auto& c : cases) {
        ToolbarHost& h = Fresh();
        Play(h, c.steps);
        EXPECT_EQ(h.Pixel(c.at.x, c.at.y), c.colour) << c.at.x << "," << c.at.y << " after " << c.steps.size();
        ReleaseCapture();
    }
}

// Where a font draws: some pixel of the box is within 40 of the colour in every channel.
bool Inked(const ToolbarHost& h, RECT box, COLORREF colour) {
    const auto within = [](int a, int b) { return std::abs(a - b) < 40; };
    for (LONG y = box.top; y < box.bottom; ++y)
        for (LONG x = box.left; x < box.right; ++x)
            if (const COLORREF p = h.Pixel(x, y); within(GetRValue(p), GetRValue(colour)) &&
                                                  within(GetGValue(p), GetGValue(colour)) &&
                                                  within(GetBValue(p), GetBValue(colour)))
                return true;
    return false;
}

// Shown without the focus, nothing is ever black; the focus darkens the title and colours the frame;
// the digits are grey.
TEST_F(Toolbar, ContainersFollowTheFocus) {
    ToolbarHost& h = Fresh(false);
    const RECT title = {31, 3, 120, 25};
    EXPECT_EQ(h.Pixel(212, 10), 0x9C9C9Bu);  // the close cross
    EXPECT_TRUE(Inked(h, title, 0xABABAB));
    EXPECT_FALSE(Inked(h, title, 0x663A3A));
    h.Send(WM_SETFOCUS);
    EXPECT_TRUE(Inked(h, title, 0x663A3A));
    EXPECT_EQ(h.Pixel(0, 0), RGB(0x18, 0x83, 0xD7));
    for (LONG left : {21, 66, 111, 156, 201}) EXPECT_TRUE(Inked(h, {left, 73, left + 10, 85}, 0x808080));
    h.Send(WM_KILLFOCUS);
    EXPECT_EQ(h.Pixel(229, 88), RGB(0xA5, 0xA5, 0xA5));
}

// A press away from a button, a release away from it, or one after a lost capture runs nothing.
TEST_F(Toolbar, ButtonsActOnlyOnACapturedReleaseInside) {
    ToolbarHost& h = Fresh();
    Play(h, {Down(215, 13), Up(215, 40), Down(25, 50), Up(25, 80), Down(3, 70), Up(25, 50), Down(25, 50), Up(70, 50),
             Down(70, 50), Up(70, 50)});
    for (UINT lost : {WM_CAPTURECHANGED, WM_CANCELMODE})
        for (POINT at : {POINT{215, 13}, POINT{25, 50}}) {
            h.Send(WM_LBUTTONDOWN, at.x, at.y);
            if (lost == WM_CAPTURECHANGED)
                ReleaseCapture();
            else
                h.Send(WM_CANCELMODE);
            h.Send(WM_LBUTTONUP, at.x, at.y);
        }
    PumpMessages();
    EXPECT_EQ(h.closes, 0);
    EXPECT_EQ(h.ran, std::vector<int>{1});
    Play(h, {Down(215, 13), Up(215, 13)});
    PumpMessages();
    EXPECT_EQ(h.closes, 1);
}

TEST_F(Toolbar, TogglesStoreTheirStateOnlyOnAReleaseInside) {
    for (TextId id : {TextZoomToggle, TextLanguageToggle, TextCursorToggle, TextMarkUpToggle}) {
        ToolbarHost& h = Fresh();
        const POINT at = id == TextCursorToggle   ? POINT{150, 10}
                         : id == TextMarkUpToggle ? POINT{121, 10}
                                                  : POINT{10 + 45 * (id - 5), 79};
        Store().SetToggle(id, 2);  // not 1: off
        h.Send(WM_SETFOCUS);
        const std::wstring before = ReadUtf16File(IniPath());
        Play(h, {Down(at.x, at.y), Up(at.x, at.y + 30)});
        EXPECT_EQ(ReadUtf16File(IniPath()), before);
        for (int expected : {1, 0}) {
            Play(h, {Down(at.x, at.y), Up(at.x, at.y)});
            EXPECT_EQ(Store().GetToggle(id), expected) << id;
            EXPECT_TRUE(id != TextLanguageToggle || App().Language == expected);
        }
    }
}

// A hint comes and goes, but never after a press nor while the toolbar is away for a capture.
TEST_F(Toolbar, ToolTipShowsTheHintButNeverAfterAPressOrHidden) {
    SettingGuard tips(SectionSettings, KeyButtonToolTip, 1);
    const auto shown = [] { return IsWindowVisible(FindWindowW(kToolTipClassName, nullptr)) != FALSE; };
    for (int way : {0, 1, 2}) {  // a plain hover, a press, the toolbar hidden
        ToolbarHost& h = Fresh();
        SetCursorPos(ToolbarHost::kOrigin.x + 25, ToolbarHost::kOrigin.y + 50);
        h.Send(WM_MOUSEMOVE, 25, 50);
        if (way == 1) h.Send(WM_LBUTTONDOWN, 25, 50);
        if (way == 2) ShowWindow(h.hwnd, SW_HIDE);
        EXPECT_EQ(WaitUntil(shown, way == 0 ? 3000ms : 900ms), way == 0) << way;
        EXPECT_TRUE(WaitUntil([&] { return !shown(); }, 3s)) << way;
        ReleaseCapture();
    }
}

// A hint 80 x 20 for a cursor 32 high, in a work area of 1920 x 1040.
std::pair<LONG, LONG> HintAt(POINT cursor, LONG buttonTop, LONG buttonBottom) {
    const POINT at = PlaceToolTip(cursor, {80, 20}, 32, buttonTop, buttonBottom, {0, 0, 1920, 1040});
    return {at.x, at.y};
}

TEST(ToolTipPlacement, AHintStartsBelowTheCursorClearOfTheButton) {
    EXPECT_EQ(HintAt({100, 500}, 480, 510), std::make_pair(100L, 521L));
    EXPECT_EQ(HintAt({100, 500}, 480, 530), std::make_pair(100L, 531L));
}

TEST(ToolTipPlacement, AHintReachingTheWorkAreasBottomGoesAboveTheButton) {
    EXPECT_EQ(HintAt({100, 998}, 980, 1010), std::make_pair(100L, 1019L));
    EXPECT_EQ(HintAt({100, 999}, 980, 1010), std::make_pair(100L, 959L));
}

TEST(ToolTipPlacement, AHintReachingTheWorkAreasRightEndsAtTheCursor) {
    EXPECT_EQ(HintAt({1839, 500}, 480, 510).first, 1839);
    EXPECT_EQ(HintAt({1840, 500}, 480, 510).first, 1761);
}

// Events named by the tick could be opened by a second copy started in the same tick.
TEST(ToolTipWorker, HasNoEventAnotherCopyCouldOpen) {
    const DWORD before = GetTickCount();
    ToolTipWorker worker;
    const DWORD after = GetTickCount();
    for (const wchar_t* prefix : {L"462376E7-CA91-4EF2-908D-445D93500882_", L"CD661D32-D5A4-4E57-9A3D-0958FF50FFD6_"})
        for (DWORD tick = before; tick <= after; ++tick)
            EXPECT_FALSE(KernelHandle(OpenEventW(SYNCHRONIZE, FALSE, (prefix + std::to_wstring(tick)).c_str())).Valid())
                << tick;
}

// Run by the test below in a process of its own: hover, then end while the hint is pending.
TEST(ToolTip, EndsWhileAHoverIsPending) {
    const wchar_t* wait = std::wcsstr(GetCommandLineW(), L" --hover-ms=");
    if (wait == nullptr) GTEST_SKIP() << "run by the test below";
    Fresh(false).Send(WM_MOUSEMOVE, 25, 50);
    WaitUntil([] { return false; }, std::chrono::milliseconds(std::wcstol(wait + 12, nullptr, 10)));
}

TEST(ToolTip, ProgramsEndingRightAfterAHoverExitCleanly) {
    ScratchDir temp;
    for (int ms = 0; ms <= 600; ms += 50) {
        Process child(
            ExeFolder() + L"unit_tests.exe", temp.Path(),
            L"--gtest_brief=1 --gtest_filter=ToolTip.EndsWhileAHoverIsPending --hover-ms=" + std::to_wstring(ms));
        EXPECT_EQ(child.WaitExit(), std::optional<DWORD>(0)) << ms;
    }
}

}  // namespace
}  // namespace Vorlune::Test
