#include <gtest/gtest.h>

#include <stdexcept>

#include "MessageBoxWatcher.h"
#include "SettingGuard.h"
#include "app/AppContext.h"
#include "app/Application.h"
#include "app/CommandDispatch.h"
#include "app/ScreenClamp.h"
#include "ui/MessageMap.h"
#include "ui/PendingException.h"

namespace Vorlune::Test {
namespace {

// A dialog's answer: its result handler's, all 64 bits; TRUE after a plain handler; FALSE with none.
TEST(MessageMap, DialogResults) {
    MessageMap map;
    const INT_PTR brush = static_cast<INT_PTR>(0x123456789ABCLL);
    map.AddResultHandler(WM_CTLCOLORSTATIC, [=](WPARAM, LPARAM) { return brush; });
    map.AddHandler(WM_INITDIALOG, [](WPARAM, LPARAM) {});
    EXPECT_EQ(std::make_tuple(map.DispatchDialog(WM_CTLCOLORSTATIC, 0, 0), map.DispatchDialog(WM_INITDIALOG, 0, 0),
                              map.DispatchDialog(WM_COMMAND, 0, 0)), std::make_tuple(brush, INT_PTR(TRUE), INT_PTR(FALSE)));
}

// Real window classes served by maps; one class per test, as a map keeps its first handlers.
template <int N>
struct TestClass;
template <int N>
HWND CreateTestWindow(UINT message, MessageHandler handler) {
    ClassMessageMap<TestClass<N>>().AddHandler(message, std::move(handler));
    const std::wstring name = L"GlimraMessageMapTest" + std::to_wstring(N);
    WNDCLASSEXW wc = {sizeof wc, 0, ClassWindowProcedure<TestClass<N>>, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                      name.c_str(), nullptr};
    RegisterClassExW(&wc);
    return CreateWindowExW(0, name.c_str(), L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
}

TEST(WindowProcedure, EraseAnswersOneTheFirstHandlerWinsAndExceptionsAreParked) {
    int later = 0;  // the erase handler never runs, the first other one only once the ending is reported
    ClassMessageMap<TestClass<1>>().AddHandler(WM_ERASEBKGND, [&](WPARAM, LPARAM) { ++later; });
    ClassMessageMap<TestClass<1>>().AddHandler(WM_USER + 2, [&](WPARAM, LPARAM) { ++later; });
    ClassMessageMap<TestClass<1>>().AddHandler(WM_USER + 2, [&](WPARAM, LPARAM) { later += 100; });
    HWND hwnd = CreateTestWindow<1>(WM_USER + 1, [](WPARAM, LPARAM) { throw std::runtime_error("inside a handler"); });
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(std::make_pair(SendMessageW(hwnd, WM_ERASEBKGND, 0, 0), MainWndProc(hwnd, WM_ERASEBKGND, 0, 0)),
              std::make_pair(LRESULT(1), LRESULT(1)));
    SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));  // unhandled: the default procedure's
    EXPECT_EQ(WindowText(hwnd), L"abc");
    EXPECT_NO_THROW(SendMessageW(hwnd, WM_USER + 1, 0, 0));
    EXPECT_THROW(RethrowPendingException(), std::runtime_error);
    EXPECT_FALSE(HasPendingException());
    // Until the loop has reported it, the program is ending and runs no more handlers.
    SendMessageW(hwnd, WM_USER + 2, 0, 0);
    EndingReported();
    SendMessageW(hwnd, WM_USER + 2, 0, 0);
    EXPECT_EQ(later, 1);
    DestroyWindow(hwnd);
}

// The loop's single error trap: a box with the title and the text, then exit code 1.
TEST(MessageLoop, ExitCodesAndTheErrorBox) {
    App().title = L"Glimra";
    MessageBoxWatcher boxes;
    EXPECT_EQ(RunMessageLoop([] { PostQuitMessage(0); return true; }, nullptr), 0);
    EXPECT_EQ(RunMessageLoop([] { return false; }, nullptr), 1);
    EXPECT_TRUE(boxes.Seen().empty());
    HWND created = nullptr, painted = nullptr;
    EXPECT_EQ(RunMessageLoop([&] {
        return created = CreateTestWindow<2>(WM_CREATE, [](WPARAM, LPARAM) { throw std::runtime_error("create failed"); }), true;
    }, nullptr), 1);
    ASSERT_TRUE(boxes.WaitForCount(1));
    if (created) DestroyWindow(created);
    int paints = 0;
    const int code = RunMessageLoop([&] {
        painted = CreateTestWindow<3>(WM_PAINT, [&](WPARAM, LPARAM) { ++paints, throw std::runtime_error("paint failed"); });
        return ShowWindow(painted, SW_SHOWNA), true;
    }, nullptr);
    DestroyWindow(painted);  // before anything pumps again, or a later paint would park a new exception
    EXPECT_EQ(std::make_pair(code, paints), std::make_pair(1, 1)) << "the loop ends at the first exception";
    ASSERT_TRUE(boxes.WaitForCount(2));
    EXPECT_EQ(boxes.Seen()[0].caption + L"|" + boxes.Seen()[0].text + L"|" + boxes.Seen()[1].caption + L"|" + boxes.Seen()[1].text,
              L"Glimra|create failed|Glimra|paint failed");
    EXPECT_FALSE(HasPendingException());
    App().title.clear();
}

// Outside goes to the middle, rounded down, on an odd screen left of and above the origin; the
// start tests cover the plain edges.
TEST(ScreenClamp, AnOddScreenLeftOfTheOrigin) {
    const POINT got = ClampToVirtualScreen({-2000, -8}, {-1001, -7, 2000, 994});
    EXPECT_EQ(std::make_pair(got.x, got.y), std::make_pair(499L, 493L));
}

// Every plain button and toggle runs on the real toolbar; here a stored 2 and a button of no command.
TEST(Commands, AnyToggleNotZeroChoosesTheVariantAndOtherButtonsTheRectangle) {
    ToggleGuard zoom(TextZoomToggle, 2);
    EXPECT_EQ(GetCommandIndex(TextRectangleButton), CommandRectangleWithMagnifier);
    EXPECT_EQ(GetCommandIndex(TextLanguageToggle), CommandRectangle);
}

}  // namespace
}  // namespace Vorlune::Test
