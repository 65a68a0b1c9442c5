// The toolbar's buttons and containers served by the real toolbar's handlers, with the real INI
// file, tooltip window and worker.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "PatternWindow.h"
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

constexpr TextId kToggles[] = {TextZoomToggle, TextWindowToggle, TextHiddenWindowToggle, TextDelayToggle,
                               TextLanguageToggle, TextCursorToggle};

// Every toggle off, the cursor away from the toolbar, fresh containers.
ToolbarHost& Fresh(bool focus = true, bool togglesOff = true) {
    for (TextId id : kToggles) togglesOff ? Settings().SetToggle(id, 0) : void();
    SetCursorPos(0, 0);
    ToolbarHost& h = ToolbarHost::Get();
    h.Build();
    h.Send(focus ? WM_SETFOCUS : WM_MOUSEMOVE);
    return h;
}

// After the test: toggles, language and cursor as they were; the toolbar and its hint away, so
// no later test meets them or hands the toolbar the focus.
struct Restore {
    ToggleGuard guards[6] = {{kToggles[0], 0}, {kToggles[1], 0}, {kToggles[2], 0},
                             {kToggles[3], 0}, {kToggles[4], 0}, {kToggles[5], 0}};
    int language = App().Language;
    POINT cursor = {};
    Restore() { GetCursorPos(&cursor); }
    ~Restore() {
        ShowWindow(ToolbarHost::Get().hwnd, SW_HIDE);
        TheToolTip().Hide();
        App().Language = language;
        SetCursorPos(cursor.x, cursor.y);
        PumpMessages();
    }
};

struct Step { UINT message; int x, y; };
Step Move(int x, int y) { return {WM_MOUSEMOVE, x, y}; }
Step Down(int x, int y) { return {WM_LBUTTONDOWN, x, y}; }
Step Up(int x, int y) { return {WM_LBUTTONUP, x, y}; }
void Play(const ToolbarHost& h, const std::vector<Step>& steps) {
    for (const Step& s : steps) h.Send(s.message, s.x, s.y);
}

HWND ToolTipWindow() { return FindWindowW(kToolTipClassName, nullptr); }

// Each event call of a button, in the order the list makes them.
struct Recorder : Button {
    Recorder(LONG left, std::string& log) : Button(nullptr, {left, 0, left + 10, 10}, TextId(0)), log_(log) {}
    void Note(const char* what) { log_ += std::to_string(Rect().left / 10) + what + " "; }
    void Activate() override {}
    void Deactivate() override {}
    void Draw(HDC) override {}
    void DrawContent(HDC) override {}
    void SetState(int) override {}
    void OnMouseEnter() override { Note("enter"); }
    void OnMouseLeave() override { Note("leave"); }
    void OnLButtonUp(POINT) override { Note("up"); }
    void OnLButtonDown(POINT) override { Note("down"); }
    void OnMouseMove(POINT) override { Note("move"); }
    void Execute() override { Note("run"); }
    std::string& log_;
};

TEST(ButtonList, OrdersPressReleaseEnterAndLeave) {
    // Buttons 0 and 1 side by side; x 5 is on 0, 15 on 1, 30 on none.
    const std::pair<std::vector<Step>, const char*> cases[] = {
        {{Move(5, 5), Move(15, 5)}, "0enter 0move 1enter 0leave 1move "},
        {{Down(5, 5), Up(5, 5)}, "0down 0up 0run "},
        {{Move(5, 5), Down(5, 5), Move(15, 5), Up(15, 5)}, "0enter 0move 0down 0leave 0up "},
        {{Move(5, 5), Down(5, 5), Move(30, 5), Move(5, 5), Up(5, 5)}, "0enter 0move 0down 0leave 0enter 0up 0run "},
        {{Down(30, 5), Up(5, 5)}, ""},
    };
    for (const auto& [steps, calls] : cases) {
        std::string log;
        ButtonList list;
        list.Add(std::make_unique<Recorder>(0, log));
        list.Add(std::make_unique<Recorder>(10, log));
        for (const Step& s : steps)
            s.message == WM_MOUSEMOVE ? list.OnMouseMove({s.x, s.y})
                                      : s.message == WM_LBUTTONUP ? list.OnLButtonUp({s.x, s.y}) : list.OnLButtonDown({s.x, s.y});
        EXPECT_EQ(log, calls);
        EXPECT_FALSE(list.Pressing());
    }
}

// Every request restarts the half second; a hide or a newer request drops the older one.
TEST(ToolTipSchedule, ShowsOnlyHalfASecondAfterTheLatestRequestWithNoHideSince) {
    ToolTipSchedule schedule;
    std::uint64_t serial = 0;
    for (std::uint64_t now = 1000; now <= 3000; now += 100) {
        serial = schedule.Request(now);
        EXPECT_EQ(schedule.Next(now + 99).waitMs, 402u);
    }
    EXPECT_EQ(schedule.Next(3500).waitMs, 1u);
    EXPECT_EQ(std::make_pair(schedule.Next(3501).waitMs, schedule.Next(3501).serial), std::make_pair(0ull, serial));
    const std::uint64_t next = schedule.Request(4000);
    EXPECT_FALSE(schedule.IsPending(serial));
    schedule.Cancel();
    EXPECT_EQ(schedule.Next(4600).serial, 0u);
    EXPECT_FALSE(schedule.IsPending(next));
}

TEST(ToolTipPlacement, StaysOffTheButtonAndInsideTheWorkArea) {
    auto at = [](LONG x, LONG y, LONG bottom) {
        const POINT p = PlaceToolTip({x, y}, {100, 20}, 32, bottom - 30, bottom, {0, 0, 1920, 1040});
        return std::pair(p.x, p.y);
    };
    EXPECT_EQ(at(500, 300, 330), std::pair(500L, 331L));    // below the button, not 2/3 of the cursor
    EXPECT_EQ(at(500, 1010, 1020), std::pair(500L, 969L));  // above the button (top 990) at the bottom
    EXPECT_EQ(at(1850, 300, 310), std::pair(1751L, 321L));  // left of the cursor, right column at x + 1
}

// Command 0 (4, 30, 46, 68) filled at (25, 33); command 4's picture has a hole at (205, 49) and
// red at (211, 49); toggle 5 (6, 72, 44, 86); cursor toggle (143, 4, 171, 23), arrow from
// (152, 6); close (201, 1, 229, 25), cross through (212, 10); minimise, bar through (186, 13).
TEST(Buttons, PaintTheColoursOfEveryState) {
    Restore restore;
    const Step hover0 = Move(25, 50), hover5 = Move(10, 79), hoverT = Move(145, 10), kill = {WM_KILLFOCUS, 0, 0};
    struct Look { POINT at; COLORREF colour; };
    const struct { std::vector<Step> steps; std::vector<Look> looks; } cases[] = {
        {{},
         {{{25, 33}, 0xC0C0C0}, {{4, 50}, 0xC0C0C0}, {{205, 49}, 0xC0C0C0}, {{211, 49}, 0x3939F4}, {{57, 42}, 0x008CFF},
          {{6, 79}, 0xFFFFFF}, {{43, 79}, 0x808080}, {{10, 79}, 0xF5F5F5}, {{145, 10}, 0xFFF0F5}, {{143, 10}, 0xFFFFFF},
          {{152, 6}, 0x1C1818}, {{161, 6}, 0xFFF0F5}, {{205, 5}, 0xFFFFFF}, {{212, 10}, 0x080705}, {{212, 9}, 0xCCCCCC},
          {{186, 13}, 0}, {{175, 5}, 0xFFFFFF}, {{130, 2}, 0xFFFFFF}, {{47, 80}, 0xF0E7F1}, {{3, 70}, 0xF0E7F1}}},
        {{hover0}, {{{25, 33}, 0x3EF0FC}, {{4, 50}, 0xFFFFFF}, {{45, 50}, 0x000000}}},
        {{hover0, Down(25, 50)}, {{{25, 33}, 0x00A5FF}, {{4, 50}, 0x000000}, {{45, 50}, 0xFFFFFF}}},
        {{hover0, Down(25, 50), Move(25, 80)}, {{{25, 33}, 0xC0C0C0}}},
        {{hover0, Down(25, 50), Move(25, 80), hover0}, {{{25, 33}, 0x00A5FF}}},
        {{hover0, Down(25, 50), Up(25, 50)}, {{{25, 33}, 0x3EF0FC}}},
        {{hover0, kill}, {{{25, 33}, 0xC0C0C0}, {{212, 10}, 0x9C9C9B}, {{212, 9}, 0xEBEBEB}, {{186, 13}, 0x999999}}},
        {{Move(205, 49)}, {{{205, 49}, 0x3EF0FC}}},
        // Toggle 5 off and on, hovered, held, and back from outside; the focus going leaves its colours.
        {{hover5}, {{{10, 79}, 0x2FECFA}}}, {{hover5, kill}, {{{10, 79}, 0x2FECFA}}},
        {{hover5, Down(10, 79)}, {{{6, 79}, 0xAAAAAA}, {{10, 79}, 0xF5F5F5}}},
        {{hover5, Down(10, 79), Up(10, 79)}, {{{10, 79}, 0x52C9D1}, {{6, 79}, 0x808080}}},
        {{hover5, Down(10, 79), Up(10, 79), Move(10, 100)}, {{{6, 79}, 0x808080}, {{10, 79}, 0xF5F5F5}}},
        {{hover5, Down(10, 79), Move(10, 100), hover5}, {{{10, 79}, 0x52C9D1}}},
        {{hoverT}, {{{145, 10}, 0xFFF5D4}}}, {{hoverT, Down(145, 10), Up(145, 10)}, {{{145, 10}, 0xE3D9B8}}},
        {{Move(205, 5)}, {{{205, 5}, 0x2311E8}, {{212, 10}, 0xFFFFFF}, {{212, 9}, 0x766BF1}}},
        {{Move(205, 5), Down(205, 5)}, {{{205, 5}, 0x7A70F1}, {{212, 10}, 0xFFFFFF}, {{212, 9}, 0xACA6F6}}},
        {{Move(175, 5)}, {{{175, 5}, 0xE5E5E5}}}, {{Move(175, 5), Down(175, 5)}, {{{175, 5}, 0xCBCACA}}},
    };
    for (const auto& c : cases) {
        ToolbarHost& h = Fresh();
        Play(h, c.steps);
        for (const Look& look : c.looks)
            EXPECT_EQ(h.Pixel(look.at.x, look.at.y), look.colour) << look.at.x << "," << look.at.y << " after " << c.steps.size();
        ReleaseCapture();
    }
}

// Where a font draws: some pixel of the box is within 40 of the colour in every channel.
bool Inked(const ToolbarHost& h, RECT box, COLORREF colour) {
    for (LONG y = box.top; y < box.bottom; ++y)
        for (LONG x = box.left; x < box.right; ++x) {
            int off = 0;
            for (int shift : {0, 8, 16}) off += std::abs(int((h.Pixel(x, y) >> shift) & 255) - int((colour >> shift) & 255)) >= 40;
            if (off == 0) return true;
        }
    return false;
}

// Shown without the focus, nothing is ever black; the focus darkens the title; the digits are grey.
TEST(Containers, StartInTheUnfocusedLookAndFollowTheFocus) {
    Restore restore;
    ToolbarHost& h = Fresh(false);
    const RECT title = {31, 3, 120, 25};
    // Title bar, cursor toggle, toggle 5, close.
    EXPECT_EQ(std::make_tuple(h.Pixel(130, 2), h.Pixel(145, 10), h.Pixel(10, 79), h.Pixel(212, 10)),
              std::make_tuple(0xFFFFFFu, 0xFFF0F5u, 0xF5F5F5u, 0x9C9C9Bu));
    EXPECT_TRUE(Inked(h, title, 0xABABAB));
    EXPECT_FALSE(Inked(h, title, 0x663A3A));
    h.Send(WM_SETFOCUS);
    EXPECT_TRUE(Inked(h, title, 0x663A3A));
    for (LONG left : {21, 66, 111, 156, 201}) EXPECT_TRUE(Inked(h, {left, 73, left + 10, 85}, 0x808080));
}

TEST(Containers, DragOnlyFromTheCaption) {
    Restore restore;
    // Title text, empty bar; close, minimise, cursor toggle, system button, client area.
    for (auto [at, drags] : {std::pair{POINT{60, 12}, true}, {{130, 20}, true}, {{215, 13}, false}, {{186, 13}, false},
                             {{150, 10}, false}, {{10, 10}, false}, {{25, 50}, false}}) {
        ToolbarHost& h = Fresh();
        h.Send(WM_LBUTTONDOWN, at.x, at.y);
        h.Send(WM_MOUSEMOVE, at.x + 7, at.y + 5);
        ReleaseCapture();  // no release, so the system button opens no menu
        RECT moved = {};
        GetWindowRect(h.hwnd, &moved);
        EXPECT_EQ(moved.left, ToolbarHost::kOrigin.x + (drags ? 7 : 0)) << at.x << "," << at.y;
    }
}

// A press away from a button, a release away from the pressed one, or one after the capture was
// lost runs nothing.
TEST(Buttons, ActOnlyOnAReleaseInsideAndNeverAfterALostCapture) {
    Restore restore;
    ToolbarHost& h = Fresh();
    Play(h, {Down(215, 13), Up(215, 40), Down(25, 50), Up(25, 80), Down(3, 70), Up(25, 50), Down(25, 50), Up(70, 50),
          Down(70, 50), Up(70, 50)});
    for (UINT lost : {WM_CAPTURECHANGED, WM_CANCELMODE})
        for (POINT at : {POINT{215, 13}, POINT{25, 50}}) {
            h.Send(WM_LBUTTONDOWN, at.x, at.y);
            lost == WM_CAPTURECHANGED ? void(ReleaseCapture()) : h.Send(WM_CANCELMODE);
            h.Send(WM_LBUTTONUP, at.x, at.y);
        }
    PumpMessages();
    EXPECT_EQ(h.closes, 0);
    EXPECT_EQ(h.ran, std::vector<int>{1});
    Play(h, {Down(215, 13), Up(215, 13)});
    PumpMessages();
    EXPECT_EQ(h.closes, 1);
}

TEST(Toggles, StoreTheirStateOnlyOnAReleaseInside) {
    Restore restore;
    for (TextId id : {TextZoomToggle, TextLanguageToggle, TextCursorToggle}) {
        ToolbarHost& h = Fresh();
        const POINT at = id == TextCursorToggle ? POINT{150, 10} : POINT{10 + 45 * (id - 5), 79};
        Settings().SetToggle(id, 2);  // not 1: off
        h.Send(WM_SETFOCUS);
        const std::wstring before = ReadUtf16File(IniPath());
        Play(h, {Down(at.x, at.y), Up(at.x, at.y + 30)});
        EXPECT_EQ(ReadUtf16File(IniPath()), before);
        for (int expected : {1, 0}) {
            Play(h, {Down(at.x, at.y), Up(at.x, at.y)});
            EXPECT_EQ(Settings().GetToggle(id), expected) << id;
            EXPECT_TRUE(id != TextLanguageToggle || App().Language == expected);
        }
    }
}

// Command 4's hint in Japanese, then in English after a click on the language toggle; it goes
// again, and never comes after a press nor while the toolbar is away for a capture.
TEST(ToolTip, ShowsTheHintOfTheCurrentLanguageBelowTheCursorButNeverAfterAPressOrHidden) {
    Restore restore;
    SettingGuard tips(SectionSettings, KeyButtonToolTip, 1);
    ToolbarHost& h = Fresh();
    for (int language : {0, 1}) {
        if (language == 1) Play(h, {Down(190, 79), Up(190, 79)});
        ASSERT_EQ(App().Language, language);
        SetCursorPos(ToolbarHost::kOrigin.x + 205, ToolbarHost::kOrigin.y + 49);
        h.Send(WM_MOUSEMOVE, 205, 49);
        ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(ToolTipWindow()) != FALSE; }, 3s));
        RECT tip = {};
        GetWindowRect(ToolTipWindow(), &tip);
        const SIZE text = TextExtent(L" " + App().GetText(TextSettingsButton) + L" ");
        EXPECT_EQ(std::make_tuple(tip.left, tip.top, tip.right - tip.left, tip.bottom - tip.top),
                  std::make_tuple(ToolbarHost::kOrigin.x + 205, ToolbarHost::kOrigin.y + 49 + 2 * GetSystemMetrics(SM_CYCURSOR) / 3,
                                  text.cx + 1, text.cy + 1));
        EXPECT_TRUE(WaitUntil([] { return IsWindowVisible(ToolTipWindow()) == FALSE; }, 3s));
    }
    for (bool press : {true, false}) {
        Fresh();
        SetCursorPos(ToolbarHost::kOrigin.x + 25, ToolbarHost::kOrigin.y + 50);
        h.Send(WM_MOUSEMOVE, 25, 50);
        press ? h.Send(WM_LBUTTONDOWN, 25, 50) : void(ShowWindow(h.hwnd, SW_HIDE));
        EXPECT_FALSE(WaitUntil([] { return IsWindowVisible(ToolTipWindow()) != FALSE; }, 900ms)) << press;
        ReleaseCapture();
        ShowWindow(h.hwnd, SW_SHOWNOACTIVATE);
    }
}

// Events named by the tick could be opened by a second copy started in the same tick.
TEST(ToolTipWorker, HasNoEventAnotherCopyCouldOpen) {
    const DWORD before = GetTickCount();
    ToolTipWorker worker;
    const DWORD after = GetTickCount();
    for (const wchar_t* prefix : {L"462376E7-CA91-4EF2-908D-445D93500882_", L"CD661D32-D5A4-4E57-9A3D-0958FF50FFD6_"})
        for (DWORD tick = before; tick <= after; ++tick) {
            HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, (prefix + std::to_wstring(tick)).c_str());
            EXPECT_EQ(event, nullptr) << tick;
            if (event != nullptr) CloseHandle(event);
        }
}

// Run by the test below in a process of its own: hover, then end while the hint is pending.
TEST(ToolTip, HoverAndEnd) {
    const char* wait = std::getenv("GLIMRA_HOVER_MS");
    if (wait == nullptr) GTEST_SKIP() << "run by the test below";
    Fresh(false, false).Send(WM_MOUSEMOVE, 25, 50);
    WaitUntil([] { return false; }, std::chrono::milliseconds(std::atoi(wait)));
}

TEST(ToolTip, ProgramsEndingRightAfterAHoverExitCleanly) {
    ScratchDir temp;
    for (int ms = 0; ms <= 600; ms += 50) {
        Process child(ExeFolder() + L"unit_tests.exe", temp.Path(), L"--gtest_brief=1 --gtest_filter=ToolTip.HoverAndEnd",
                      {{L"GLIMRA_HOVER_MS", std::to_wstring(ms)}});
        EXPECT_EQ(child.WaitExit(20s), std::optional<DWORD>(0)) << ms;
    }
}

}  // namespace
}  // namespace Vorlune::Test
