#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "Capture/ScreenSnapshot.h"
#include "PatternWindow.h"
#include "SettingGuard.h"
#include "app/AppContext.h"
#include "app/ScreenClamp.h"
#include "draw/GdiObjectCache.h"
#include "draw/MouseTooltip.h"

namespace Vorlune::Test {
namespace {

constexpr COLORREF kFrame = 0x646464;
constexpr COLORREF kBackground = 0xE1FFFF;

// The language of the text table, for the duration of a test.
class LanguageGuard {
public:
    explicit LanguageGuard(int language) : old_(App().Language) { App().Language = language; }
    ~LanguageGuard() { App().Language = old_; }

private:
    int old_;
};

HWND Handle(UINT_PTR value) { return reinterpret_cast<HWND>(value); }

TEST(MouseToolTipText, FormatsHandleWidthAndHeightWithSpacesAround) {
    {
        LanguageGuard japanese(0);
        EXPECT_EQ(BuildMouseToolTipText(Handle(0x1C), RECT{0, 0, 640, 480}), L" ハンドル=0x0000001C, 幅=640, 高さ=480 ");
    }
    LanguageGuard english(1);
    EXPECT_EQ(BuildMouseToolTipText(Handle(0xABCDEF), RECT{-20, 100, 300, 350}),
              L" Handle=0x00ABCDEF, Width=320, Height=250 ");
    // Only the low 32 bits of a handle count, upper-case.
    EXPECT_EQ(BuildMouseToolTipText(Handle(static_cast<UINT_PTR>(0x12345678'9abcdef0ull)), RECT{0, 0, 1, 1}),
              L" Handle=0x9ABCDEF0, Width=1, Height=1 ");
}

TEST(MouseToolTipPlacement, FlipsAboveAndLeftAtTheWorkAreaEdges) {
    const SIZE text = {200, 20};
    const SIZE cursor = {32, 32};
    const RECT work = {0, 0, 1920, 1040};
    auto place = [&](LONG x, LONG y) { return PlaceMouseToolTip({x, y}, text, cursor, work); };
    auto same = [](RECT a, RECT b) { return EqualRect(&a, &b) != FALSE; };
    EXPECT_TRUE(same(place(100, 100), RECT{116, 116, 316, 136}));
    // Near the bottom: above the cursor, still right of it.
    EXPECT_TRUE(same(place(100, 1020), RECT{116, 988, 316, 1008}));
    // Near the right: left of the cursor.
    EXPECT_TRUE(same(place(1800, 100), RECT{1568, 116, 1768, 136}));
    // Near the bottom-right corner: above and left.
    EXPECT_TRUE(same(place(1800, 1020), RECT{1568, 988, 1768, 1008}));
    // Touching the edge counts as reaching it.
    EXPECT_EQ(place(100, 1004).top, 972);  // bottom would be 1040
    EXPECT_EQ(place(100, 1003).top, 1019);
    EXPECT_EQ(place(1704, 100).left, 1472);  // right would be 1920
    EXPECT_EQ(place(1703, 100).left, 1719);
    // The work area's own origin counts: a work area ending at 600 flips at 600.
    EXPECT_EQ(PlaceMouseToolTip({100, 570}, text, cursor, RECT{0, 0, 1920, 600}).top, 538);
}

TEST(MouseToolTipPlacement, OnOneMonitorTheWorkAreaIsThePrimaryOne) {
    RECT primary = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
    const RECT bounds = VirtualScreenRect();
    for (POINT point : {POINT{0, 0}, POINT{1900, 1000}, POINT{960, 540}}) {
        const RECT work = MouseToolTipWorkArea(bounds, point);
        EXPECT_TRUE(EqualRect(&work, &primary)) << work.left << "," << work.top << "," << work.right << "," << work.bottom;
    }
}

// The frame's rectangle, right and bottom included, as found in the DC.
RECT FrameIn(HDC dc, SIZE size) {
    RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if (GetPixel(dc, x, y) == kFrame)
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
                       std::max<LONG>(box.bottom, y)};
    return box;
}

TEST(MouseToolTipDrawing, DrawsTheBoxBesideTheCursorAndFlipsAtTheEdges) {
    LanguageGuard english(1);
    const std::wstring text = BuildMouseToolTipText(Handle(0x1C), RECT{0, 0, 640, 480});
    const SIZE extent = TextExtent(text);
    const int cx = GetSystemMetrics(SM_CXCURSOR);
    const int cy = GetSystemMetrics(SM_CYCURSOR);
    ScreenSnapshot snapshot;
    ASSERT_EQ(snapshot.bounds.left, 0);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

    struct Case {
        POINT point;
        bool above;
        bool left;
    } cases[] = {{{300, 200}, false, false},
                 {{300, work.bottom - 5}, true, false},
                 {{work.right - 5, 200}, false, true},
                 {{work.right - 5, work.bottom - 5}, true, true}};
    for (const Case& c : cases) {
        PatBlt(snapshot.workDC, 0, 0, snapshot.size.cx, snapshot.size.cy, WHITENESS);
        DrawMouseToolTip(snapshot, c.point, text);
        const RECT frame = FrameIn(snapshot.workDC, snapshot.size);
        const LONG left = c.left ? c.point.x - extent.cx - cx : c.point.x + cx / 2;
        const LONG top = c.above ? c.point.y - cy : c.point.y + cy / 2;
        EXPECT_EQ(frame.left, left) << c.point.x << "," << c.point.y;
        EXPECT_EQ(frame.top, top) << c.point.x << "," << c.point.y;
        EXPECT_EQ(frame.right, left + extent.cx);
        EXPECT_EQ(frame.bottom, top + extent.cy);
        // Text on the pale background inside the frame.
        int background = 0;
        int ink = 0;
        for (LONG y = top + 1; y < top + extent.cy; ++y)
            for (LONG x = left + 1; x < left + extent.cx; ++x) {
                const COLORREF pixel = GetPixel(snapshot.workDC, x, y);
                background += pixel == kBackground;
                ink += pixel != kBackground;
            }
        EXPECT_GT(background, ink);
        EXPECT_GT(ink, 20);
    }
    // Only the overlay's picture carries the box, never the output.
    for (const Case& c : cases) {
        const POINT inside = {c.point.x + (c.left ? -cx - 2 : cx / 2 + 2), c.point.y + (c.above ? -cy + 2 : cy / 2 + 2)};
        EXPECT_EQ(GetPixel(snapshot.outputDC, inside.x, inside.y), GetPixel(snapshot.frozenDC, inside.x, inside.y));
    }
}

// Clipboard helpers.
void PutText(const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const size_t size = std::strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "<not opened>";
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data != nullptr) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

TEST(MouseToolTipClipboard, CopiesTheTextOnlyWhenClipBoardIsThree) {
    const std::wstring text = L" Handle=0x0000001C, Width=640, Height=480 ";
    for (int value : {0, 1, 2, 4}) {
        SettingGuard clipboard(SectionSettings, KeyClipBoard, value);
        PutText("before");
        CopyMouseToolTipText(nullptr, text);
        EXPECT_EQ(ClipboardText(), "before") << value;
    }
    SettingGuard clipboard(SectionSettings, KeyClipBoard, 3);
    PutText("before");
    CopyMouseToolTipText(nullptr, text);
    EXPECT_EQ(ClipboardText(), " Handle=0x0000001C, Width=640, Height=480 ");
}

TEST(MouseToolTipClipboard, KeepsEveryByteOfADoubleByteText) {
    const LCID old = GetThreadLocale();
    SetThreadLocale(MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT));
    const std::wstring text = L" ハンドル=0x0000001C, 幅=640, 高さ=480 ";
    const std::string ansi = ToThreadAnsi(text);
    SettingGuard clipboard(SectionSettings, KeyClipBoard, 3);
    PutText("before");
    CopyMouseToolTipText(nullptr, text);
    const std::string copied = ClipboardText();
    SetThreadLocale(old);
    // Code page 932: two bytes for each of the seven Japanese characters.
    ASSERT_EQ(ansi.size(), text.size() + 7);
    EXPECT_EQ(ansi.substr(0, 9), "\x20\x83\x6E\x83\x93\x83\x68\x83\x8B");
    EXPECT_EQ(copied, ansi);
}

TEST(MouseToolTipClipboard, LeavesTheClipboardAsItWasWhenItCannotBeOpened) {
    SettingGuard clipboard(SectionSettings, KeyClipBoard, 3);
    PutText("before");
    std::promise<void> opened;
    std::promise<void> release;
    std::thread holder([&] {
        // Another window holds the clipboard open.
        HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        const BOOL open = OpenClipboard(window);
        opened.set_value();
        release.get_future().wait();
        if (open) CloseClipboard();
        DestroyWindow(window);
    });
    opened.get_future().wait();
    CopyMouseToolTipText(nullptr, L" Handle=0x00000001, Width=1, Height=1 ");
    release.set_value();
    holder.join();
    EXPECT_EQ(ClipboardText(), "before");
}

}  // namespace
}  // namespace Vorlune::Test
