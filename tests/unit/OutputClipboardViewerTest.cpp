#include <gtest/gtest.h>

#include "Capture/CaptureOutput.h"
#include "Capture/Viewer.h"
#include "ui/Clipboard.h"
#include "MessageBoxWatcher.h"
#include "OutputTestSupport.h"
#include "app/AppContext.h"

namespace Vorlune::Test {
namespace {

using Names = std::vector<std::wstring>;

constexpr POINT kPosition = {3, 4};
constexpr SIZE kSize = {6, 5};

std::vector<Bgr> PatternArea() {
    std::vector<Bgr> pixels;
    for (int y = 0; y < kSize.cy; ++y)
        for (int x = 0; x < kSize.cx; ++x) pixels.push_back(PatternColour(kPosition.x + x, kPosition.y + y));
    return pixels;
}

class OutputClipboardViewerTest : public ::testing::Test {
protected:
    OwnerWindow owner_;
    FakeViewerLog viewer_;
    ScratchDir scratch_;
    // A folder with spaces, as under a user's documents.
    std::wstring images_ = scratch_ / L"my captured images";
    ImageFileNamer namer_{[] { return Date(2024, 6, 7); }};
    PatternSurface surface_{20, 20};
};

TEST_F(OutputClipboardViewerTest, EveryClipBoardValue) {
    const std::wstring day = images_ + L"\\20240607\\";
    Names expectedLines;
    int files = 0;
    // 2 first: if it started the viewer after all, that line would come first in the log.
    for (const int value : {2, 1, 0, 3, 7}) {
        SCOPED_TRACE(value);
        OutputSettings settings(images_, value, FakeViewerPath());
        SetClipboardText(owner_.Handle(), L"the user's text");
        FinishCapture(namer_, surface_.Dc(), owner_.Handle(), kPosition, kSize);

        const std::wstring path = day + ImageFileName(++files);
        EXPECT_EQ(ReadBytes(path).size(), 54u + 20u * 5u);  // every value writes the file
        if (value == 1) {
            EXPECT_EQ(ClipboardText(), L"the user's text");
            EXPECT_FALSE(ClipboardHasBitmap());
        } else {
            EXPECT_EQ(ClipboardPixels(kSize.cx, kSize.cy), PatternArea());
            EXPECT_EQ(ClipboardText(), L"");
        }
        if (value != 2) expectedLines.push_back(L"1|" + path);
        ASSERT_TRUE(viewer_.WaitForLines(expectedLines.size()));
    }
    EXPECT_EQ(viewer_.Lines(), expectedLines);
}

TEST_F(OutputClipboardViewerTest, ViewerThatCannotStartGivesOnlyTheProgramsMessage) {
    const std::wstring title = App().title;
    App().title = L"Glimra";
    OutputSettings settings(images_, 0, scratch_ / L"no such viewer.exe");
    const std::vector<std::pair<int, std::wstring>> languages = {{1, L"Failed to start the viewer"},
                                                                 {0, L"画像閲覧アプリの起動に失敗しました"}};
    int files = 0;
    for (const auto& [language, text] : languages) {
        SCOPED_TRACE(language);
        App().Language = language;
        MessageBoxWatcher boxes;
        SetClipboardText(owner_.Handle(), L"the user's text");
        FinishCapture(namer_, surface_.Dc(), owner_.Handle(), kPosition, kSize);
        // The box is modal inside FinishCapture: every box it showed has been seen by now.
        const auto seen = boxes.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, L"Glimra");
        EXPECT_EQ(seen[0].text, text);
        EXPECT_TRUE(FileExists(images_ + L"\\20240607\\" + ImageFileName(++files)));
        EXPECT_EQ(ClipboardPixels(kSize.cx, kSize.cy), PatternArea());
    }
    App().Language = 0;
    App().title = title;
    EXPECT_TRUE(viewer_.Lines().empty());
}

TEST_F(OutputClipboardViewerTest, LaunchViewerQuotesThePathOnly) {
    ASSERT_TRUE(LaunchViewer(owner_.Handle(), FakeViewerPath(), L"C:\\a folder\\with spaces\\00001.bmp"));
    ASSERT_TRUE(viewer_.WaitForLines(1));
    ASSERT_TRUE(LaunchViewer(owner_.Handle(), FakeViewerPath(), L""));  // a page address has no parameters
    ASSERT_TRUE(viewer_.WaitForLines(2));
    EXPECT_EQ(viewer_.Lines(), (Names{L"1|C:\\a folder\\with spaces\\00001.bmp", L"0"}));
    EXPECT_FALSE(LaunchViewer(owner_.Handle(), scratch_ / L"missing.exe", L"x"));
}

TEST_F(OutputClipboardViewerTest, ClipboardHelpersKeepTheOldContentsWhenNothingIsReady) {
    SetClipboardText(owner_.Handle(), L"the user's text");
    EXPECT_FALSE(PutBitmapOnClipboard(owner_.Handle(), nullptr));
    EXPECT_EQ(ClipboardText(), L"the user's text");
    // Text in the thread's code page, with its terminating zero.
    ASSERT_TRUE(PutTextOnClipboard(owner_.Handle(), L"Handle 0x1234 Width 10"));
    ASSERT_TRUE(OpenClipboard(owner_.Handle()));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "Handle 0x1234 Width 10");
    GlobalUnlock(data);
    CloseClipboard();
}

}  // namespace
}  // namespace Vorlune::Test
