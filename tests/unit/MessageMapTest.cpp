#include <gtest/gtest.h>

#include <stdexcept>

#include "app/AppContext.h"
#include "app/Application.h"
#include "MessageBoxWatcher.h"
#include "ui/MessageMap.h"
#include "ui/PendingException.h"

namespace Vorlune {
namespace {

struct Recorder {
    int calls = 0;
    WPARAM lastW = 0;
    LPARAM lastL = 0;
    void Both(WPARAM w, LPARAM l) {
        ++calls;
        lastW = w;
        lastL = l;
    }
    void None() { ++calls; }
    void OnlyW(WPARAM w) {
        ++calls;
        lastW = w;
    }
    INT_PTR Result(WPARAM w, LPARAM) { return static_cast<INT_PTR>(w) * 3; }
};

TEST(MessageMap, DispatchTellsWhetherNoHandlerRan) {
    MessageMap map;
    Recorder recorder;
    map.AddHandler(WM_MOUSEMOVE, &recorder, &Recorder::Both);
    map.AddHandler(WM_PAINT, &recorder, &Recorder::None);
    map.AddHandler(WM_TIMER, &recorder, &Recorder::OnlyW);
    EXPECT_TRUE(map.Dispatch(WM_KEYDOWN, 1, 2));
    EXPECT_EQ(recorder.calls, 0);
    EXPECT_FALSE(map.Dispatch(WM_MOUSEMOVE, 7, -9));
    EXPECT_EQ(recorder.lastW, 7u);
    EXPECT_EQ(recorder.lastL, -9);
    EXPECT_FALSE(map.Dispatch(WM_PAINT, 0, 0));
    EXPECT_FALSE(map.Dispatch(WM_TIMER, 42, 5));
    EXPECT_EQ(recorder.lastW, 42u);
    EXPECT_EQ(recorder.calls, 3);
}

TEST(MessageMap, FirstRegistrationWinsInBothTables) {
    MessageMap map;
    int first = 0;
    int second = 0;
    map.AddHandler(WM_PAINT, [&](WPARAM, LPARAM) { ++first; });
    map.AddHandler(WM_PAINT, [&](WPARAM, LPARAM) { ++second; });
    map.AddResultHandler(WM_CTLCOLORSTATIC, [](WPARAM, LPARAM) -> INT_PTR { return 11; });
    map.AddResultHandler(WM_CTLCOLORSTATIC, [](WPARAM, LPARAM) -> INT_PTR { return 22; });
    map.Dispatch(WM_PAINT, 0, 0);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(map.DispatchDialog(WM_CTLCOLORSTATIC, 0, 0), 11);
}

TEST(MessageMap, DialogDispatchReturnsResultsUnchanged) {
    MessageMap map;
    Recorder recorder;
    const INT_PTR brush = static_cast<INT_PTR>(0x123456789ABCLL);
    map.AddResultHandler(WM_CTLCOLORSTATIC, [brush](WPARAM, LPARAM) { return brush; });
    map.AddResultHandler(WM_USER, &recorder, &Recorder::Result);
    map.AddHandler(WM_INITDIALOG, &recorder, &Recorder::None);
    EXPECT_EQ(map.DispatchDialog(WM_CTLCOLORSTATIC, 0, 0), brush);
    EXPECT_EQ(map.DispatchDialog(WM_USER, 5, 0), 15);
    EXPECT_EQ(map.DispatchDialog(WM_INITDIALOG, 0, 0), TRUE);
    EXPECT_EQ(map.DispatchDialog(WM_COMMAND, 0, 0), FALSE);
    EXPECT_EQ(recorder.calls, 1);
    // A result handler with the same id as a void one takes precedence.
    map.AddResultHandler(WM_INITDIALOG, [](WPARAM, LPARAM) -> INT_PTR { return 0; });
    EXPECT_EQ(map.DispatchDialog(WM_INITDIALOG, 0, 0), 0);
    EXPECT_EQ(recorder.calls, 1);
}

// Real window classes served by maps, as every window of the program is; one class per
// test, since a map keeps its first handler for each message.
template <int N>
struct TestClass;

template <int N>
MessageMap& TestWindowMap() {
    return ClassMessageMap<TestClass<N>>();
}

template <int N>
HWND CreateTestWindow() {
    const std::wstring name = L"GlimraMessageMapTest" + std::to_wstring(N);
    static const bool registered = [&] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ClassWindowProcedure<TestClass<N>>;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = name.c_str();
        return RegisterClassExW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowExW(0, name.c_str(), L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

TEST(WindowProcedure, EraseBackgroundAnswersOneWithoutDispatch) {
    int erased = 0;
    TestWindowMap<1>().AddHandler(WM_ERASEBKGND, [&](WPARAM, LPARAM) { ++erased; });
    HWND hwnd = CreateTestWindow<1>();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, WM_ERASEBKGND, 0, 0), 1);
    EXPECT_EQ(erased, 0);
    // Unhandled messages reach the default procedure: WM_SETTEXT then sets the title.
    EXPECT_TRUE(SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc")));
    wchar_t title[8] = {};
    GetWindowTextW(hwnd, title, 8);
    EXPECT_STREQ(title, L"abc");
    // The main window's procedure answers the same way, before its map is consulted.
    EXPECT_EQ(SendMessageW(hwnd, WM_ERASEBKGND, 0, 0), MainWndProc(hwnd, WM_ERASEBKGND, 0, 0));
    DestroyWindow(hwnd);
}

TEST(WindowProcedure, ExceptionsAreParkedNotThrownThroughWindows) {
    TestWindowMap<2>().AddHandler(WM_USER + 1, [](WPARAM, LPARAM) { throw std::runtime_error("inside a handler"); });
    HWND hwnd = CreateTestWindow<2>();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_NO_THROW(SendMessageW(hwnd, WM_USER + 1, 0, 0));
    ASSERT_TRUE(HasPendingException());
    try {
        RethrowPendingException();
        ADD_FAILURE() << "nothing rethrown";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "inside a handler");
    }
    EXPECT_FALSE(HasPendingException());
    // Until the loop has reported it, the program is ending and runs no more handlers.
    EXPECT_TRUE(IsEnding());
    int later = 0;
    TestWindowMap<2>().AddHandler(WM_USER + 2, [&](WPARAM, LPARAM) { ++later; });
    SendMessageW(hwnd, WM_USER + 2, 0, 0);
    EXPECT_EQ(later, 0);
    EndingReported();
    SendMessageW(hwnd, WM_USER + 2, 0, 0);
    EXPECT_EQ(later, 1);
    DestroyWindow(hwnd);
}

// The loop's single error trap: a box with the title and the text, then exit code 1.
class MessageLoopTest : public ::testing::Test {
protected:
    void SetUp() override { App().title = L"Glimra"; }
    void TearDown() override { App().title.clear(); }
    Vorlune::Test::MessageBoxWatcher boxes;
};

TEST_F(MessageLoopTest, NormalQuitReturnsZero) {
    EXPECT_EQ(RunMessageLoop([] { PostQuitMessage(0); return true; }, nullptr), 0);
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(MessageLoopTest, FailedInitializeReturnsOne) {
    EXPECT_EQ(RunMessageLoop([] { return false; }, nullptr), 1);
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(MessageLoopTest, ExceptionDuringWindowCreationIsNotLost) {
    TestWindowMap<4>().AddHandler(WM_CREATE, [](WPARAM, LPARAM) { throw std::runtime_error("create failed"); });
    HWND hwnd = nullptr;
    EXPECT_EQ(RunMessageLoop([&] { hwnd = CreateTestWindow<4>(); return true; }, nullptr), 1);
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ(boxes.Seen()[0].text, L"create failed");
    if (hwnd) DestroyWindow(hwnd);
}

TEST_F(MessageLoopTest, ExceptionWhilePaintingEndsTheLoopWithABox) {
    HWND hwnd = nullptr;
    static int paints = 0;
    TestWindowMap<3>().AddHandler(WM_PAINT, [](WPARAM, LPARAM) {
        ++paints;
        throw std::runtime_error("paint failed");
    });
    const int code = RunMessageLoop(
        [&] {
            hwnd = CreateTestWindow<3>();
            ShowWindow(hwnd, SW_SHOWNA);
            return hwnd != nullptr;
        },
        nullptr);
    // Gone before anything pumps again: the box leaves it invalid, and a later paint would
    // park a new exception that ends every handler of the tests that follow.
    DestroyWindow(hwnd);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(paints, 1) << "the loop ends at the first exception";
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ(boxes.Seen()[0].caption, L"Glimra");
    EXPECT_EQ(boxes.Seen()[0].text, L"paint failed");
    EXPECT_FALSE(HasPendingException());
}

}  // namespace
}  // namespace Vorlune
