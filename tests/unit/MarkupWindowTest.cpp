// The mark-up window in this process, driven by real keys.
#include <gtest/gtest.h>

#include <vector>

#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
#include "GlimraApp.h"
#include "MessageBoxWatcher.h"
#include "Output.h"
#include "Screen.h"
#include "Wait.h"
#include "markup/MarkupWindow.h"

namespace Vorlune::Test {
namespace {

constexpr SIZE kImage = {40, 30};

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
    // The keys, then the window closed once.
    bool PressToClose(const std::vector<WORD>& keys) {
        PressChord(keys);
        return WaitUntil([&] { return closes == 1; }) && !IsWindow(Window());
    }

    ImageFolderGuard folder_;
    MessageBoxWatcher boxes_;
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
    ASSERT_TRUE(OpenClipboardSoon());
    const OwnedDC dc(CreateCompatibleDC(nullptr));
    const SelectGuard select(dc.get(), GetClipboardData(CF_BITMAP));
    EXPECT_EQ(GetPixel(dc.get(), 39, 29), ScreenPattern(39, 29));
    EXPECT_EQ(GetPixel(dc.get(), 0, 0), ScreenPattern(0, 0));
    CloseClipboard();
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(folder_.Images().empty());
}

}  // namespace
}  // namespace Vorlune::Test
