#include <gtest/gtest.h>

#include <stdexcept>

#include "MessageBoxWatcher.h"
#include "Scratch.h"
#include "SettingGuard.h"
#include "ToolbarHost.h"
#include "app/AppContext.h"
#include "app/Application.h"
#include "ui/ComRef.h"
#include "ui/MessageMap.h"
#include "ui/PendingException.h"
#include "ui/ScreenLeave.h"

namespace Vorlune::Test {
namespace {

// Real window classes served by maps; one class per test, as a map takes one handler per message.
template <int N>
struct TestClass;
template <int N>
HWND CreateTestWindow(UINT message, MessageHandler handler) {
    ClassMessageMap<TestClass<N>>().AddHandler(message, std::move(handler));
    const std::wstring name = L"GlimraMessageMapTest" + std::to_wstring(N);
    WNDCLASSEXW wc = {
        sizeof wc,    0,      ClassWindowProcedure<TestClass<N>>, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
        name.c_str(), nullptr};
    RegisterClassExW(&wc);
    return CreateWindowExW(0, name.c_str(), L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
}

TEST(WindowProcedure, ExceptionsAreParkedUntilTheLoopReportsThem) {
    int later = 0, ends = 0;  // the first handler runs only once the ending is reported, the end's always
    ClassMessageMap<TestClass<1>>().AddHandler(WM_USER + 2, [&](WPARAM, LPARAM) { ++later; });
    ClassMessageMap<TestClass<1>>().AddResultHandler(
        WM_USER + 3, [&](WPARAM, LPARAM) -> INT_PTR { return ++ends; }, WhileEnding::Runs);
    HWND hwnd = CreateTestWindow<1>(WM_USER + 1, [](WPARAM, LPARAM) { throw std::runtime_error("inside a handler"); });
    ASSERT_NE(hwnd, nullptr);
    EXPECT_NO_THROW(SendMessageW(hwnd, WM_USER + 1, 0, 0));
    EXPECT_THROW(RethrowPendingException(), std::runtime_error);
    EXPECT_FALSE(HasPendingException());
    // Until the loop has reported it, the program is ending and runs only what the end needs.
    SendMessageW(hwnd, WM_USER + 2, 0, 0);
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 3, 0, 0), 1);
    EndingReported();
    SendMessageW(hwnd, WM_USER + 2, 0, 0);
    EXPECT_EQ(later, 1);
    DestroyWindow(hwnd);
}

// Both kinds share one table: a message has one handler.
TEST(MessageMap, ASecondHandlerForAMessageOfEitherKindIsRefused) {
    MessageMap map;
    map.AddHandler(WM_PAINT, [](WPARAM, LPARAM) {});
    EXPECT_THROW(map.AddHandler(WM_PAINT, [](WPARAM, LPARAM) {}), std::logic_error);
    EXPECT_THROW(map.AddResultHandler(WM_PAINT, [](WPARAM, LPARAM) -> INT_PTR { return 0; }), std::logic_error);
}

// Each paints its whole client area itself, also while the program is ending.
TEST(WindowProcedure, TheToolbarAndEveryOtherClassAnswerEraseWithOne) {
    HWND plain = CreateTestWindow<4>(WM_USER, [](WPARAM, LPARAM) {});
    ParkException(std::make_exception_ptr(std::runtime_error("ending")));
    EXPECT_EQ(SendMessageW(ToolbarHost::Get().hwnd, WM_ERASEBKGND, 0, 0), 1);
    EXPECT_EQ(SendMessageW(plain, WM_ERASEBKGND, 0, 0), 1);
    EXPECT_THROW(RethrowPendingException(), std::runtime_error);
    EndingReported();
    DestroyWindow(plain);
}

// The loop's single error trap: a box with the title and the text, then exit code 1.
TEST(MessageLoop, AnErrorEndsTheLoopWithCodeOneAfterItsBox) {
    App().title = L"Glimra";
    MessageBoxWatcher boxes;
    EXPECT_EQ(RunMessageLoop(
                  [] {
                      PostQuitMessage(0);
                      return true;
                  },
                  nullptr),
              0);
    EXPECT_EQ(RunMessageLoop([] { return false; }, nullptr), 1);
    EXPECT_TRUE(boxes.Seen().empty());
    HWND created = nullptr, painted = nullptr;
    EXPECT_EQ(RunMessageLoop(
                  [&] {
                      created = CreateTestWindow<2>(WM_CREATE,
                                                    [](WPARAM, LPARAM) { throw std::runtime_error("create failed"); });
                      return true;
                  },
                  nullptr),
              1);
    ASSERT_TRUE(boxes.WaitForCount(1));
    if (created) DestroyWindow(created);
    int paints = 0;
    const int code = RunMessageLoop(
        [&] {
            painted = CreateTestWindow<3>(WM_PAINT, [&](WPARAM, LPARAM) {
                ++paints;
                throw std::runtime_error("paint failed");
            });
            ShowWindow(painted, SW_SHOWNA);
            return true;
        },
        nullptr);
    DestroyWindow(painted);  // before anything pumps again, or a later paint would park a new exception
    EXPECT_EQ(code, 1);
    EXPECT_EQ(paints, 1) << "the loop ends at the first exception";
    ASSERT_TRUE(boxes.WaitForCount(2));
    EXPECT_EQ(boxes.Texts(), L"Glimra|create failed|Glimra|paint failed|");
    EXPECT_FALSE(HasPendingException());
    App().title.clear();
}

// Stand-ins for the start-up calls. The failures' codes have no system message, so a box's text is exact.
constexpr HRESULT kUnknownResult = HRESULT(0x8BAD0001);
constexpr DWORD kUnknownError = 54321;
HRESULT ComReady() { return S_OK; }
HRESULT ComFails() { return kUnknownResult; }
ATOM ClassReady() { return 1; }
template <class Made>
Made Fails() {
    SetLastError(kUnknownError);
    return Made{};
}

// Start-up from the program's own resources (for its title) with the stored language: its exit
// code and boxes. It never makes a toolbar: the tests have theirs.
std::wstring StartUpEnd(const StartupCalls& calls, int language) {
    static const HMODULE program = LoadLibraryExW(GlimraExePath().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    const ToggleGuard stored(TextLanguageToggle, language);
    const MessageBoxWatcher boxes;
    const int code = RunMessageLoop([&] { return Initialize(program, SW_HIDE, calls); }, nullptr);
    boxes.WaitForCount(1);
    return std::to_wstring(code) + L"|" + boxes.Texts();
}

TEST(StartUp, AFailedCallIsToldInTheStoredLanguageAndEndsWithCodeOne) {
    const struct {
        StartupCalls calls;
        int language;
        const wchar_t* text;
    } failures[] = {
        {{ComFails, ClassReady, Fails<HWND>}, 0, L"COM を初期化できないため、起動できません。\r\n\r\n(0x8BAD0001)"},
        {{ComReady, Fails<ATOM>, Fails<HWND>},
         1,
         L"Cannot start: the window class could not be registered.\r\n\r\n(54321)"},
        {{ComReady, ClassReady, Fails<HWND>}, 0, L"ツールバーを作成できないため、起動できません。\r\n\r\n(54321)"},
        {{ComReady, ClassReady, Fails<HWND>}, 1, L"Cannot start: the toolbar could not be created.\r\n\r\n(54321)"}};
    for (const auto& failure : failures)
        EXPECT_EQ(StartUpEnd(failure.calls, failure.language), std::wstring(L"1|Glimra|") + failure.text + L"|");
}

// Already in this thread's single-threaded apartment, or in the multithreaded one, which serves too.
TEST(StartUp, COMAlreadyOnTheThreadGoesOnToTheToolbar) {
    for (HRESULT com : {S_FALSE, RPC_E_CHANGED_MODE})
        EXPECT_EQ(StartUpEnd({[com] { return com; }, ClassReady, Fails<HWND>}, 1),
                  L"1|Glimra|Cannot start: the toolbar could not be created.\r\n\r\n(54321)|")
            << std::hex << com;
}

// Counts the references it gives; it answers for IUnknown alone.
struct CountedObject : IUnknown {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown ? this : nullptr;
        if (*out == nullptr) return E_NOINTERFACE;
        ++references;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    ULONG references = 1;
};

TEST(ComRef, GivesBackEveryReferenceOnceWhetherMovedResetOrQueried) {
    CountedObject object;
    {
        ComRef<IUnknown> first;
        *first.Out() = &object;
        ComRef<IUnknown> queried = first.Query<IUnknown>(IID_IUnknown);
        EXPECT_EQ(first.Query<IStream>(IID_IStream).Get(), nullptr);
        ComRef<IUnknown> moved(std::move(first));
        EXPECT_EQ(object.references, 2u);
        queried = std::move(moved);  // gives back the one queried held
        EXPECT_EQ(object.references, 1u);
        queried.Reset();
        EXPECT_EQ(object.references, 0u);
    }
    EXPECT_EQ(object.references, 0u) << "the emptied owners gave back nothing more";
}

// 32 x 16: two tiles, the left one flat grey. The image is gone once the other differs anywhere.
TEST(ScreenLeave, AnImageIsGoneOnceEachTileThatIsNotFlatChanged) {
    std::vector<std::uint32_t> shown(32 * 16, 0xC0C0C0);
    shown[5 * 32 + 20] = 0;
    std::vector<std::uint32_t> now = shown;
    EXPECT_FALSE(ShowsNoLonger(shown, now.data(), 32, {0, 0, 32, 16}));
    now[15 * 32 + 31] = 0xFFFFFF;
    EXPECT_TRUE(ShowsNoLonger(shown, now.data(), 32, {0, 0, 32, 16}));
}

}  // namespace
}  // namespace Vorlune::Test
