#include <gtest/gtest.h>

#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"
#include "Capture/Viewer.h"
#include "OutputTestSupport.h"
#include "app/AppContext.h"

namespace Vorlune::Test {
namespace {

using Names = std::vector<std::wstring>;

class OutputFailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        App().Language = 1;
        SetClipboardText(owner_.Handle(), L"the user's text");
    }
    void TearDown() override { App().Language = 0; }

    // The report of the output error that body raises.
    template <class Body>
    std::vector<std::string> ReportOf(Body body) {
        try {
            body();
        } catch (const AnExceptionImpl& error) {
            return ReportLines(error.what());
        }
        ADD_FAILURE() << "no output error";
        return {};
    }

    void ExpectClipboardAndViewerUntouched() {
        EXPECT_EQ(ClipboardText(), L"the user's text");
        // Had the viewer been started, its line would come before this one.
        ASSERT_TRUE(LaunchViewer(nullptr, FakeViewerPath(), L"marker"));
        ASSERT_TRUE(viewer_.WaitForLines(1));
        EXPECT_EQ(viewer_.Lines(), Names{L"1|marker"});
    }

    OwnerWindow owner_;
    FakeViewerLog viewer_;
    ScratchDir scratch_;
    PatternSurface surface_{16, 16};
};

TEST_F(OutputFailureTest, FileWhereTheDayFolderShouldBe) {
    OutputSettings settings(scratch_.Path(), 0, FakeViewerPath());
    TouchFile(scratch_ / L"20240102");
    ImageFileNamer namer([] { return Date(2024, 1, 2); });
    const auto report = ReportOf([&] { FinishCapture(namer, surface_.Dc(), owner_.Handle(), {1, 1}, {5, 5}); });

    // The code CreateFileW itself gives for that path.
    const std::wstring path = scratch_ / L"20240102\\00001.bmp";
    ASSERT_EQ(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
              INVALID_HANDLE_VALUE);
    const DWORD expected = GetLastError();
    EXPECT_NE(expected, 0u);
    const int line = DesktopSourceLine("throw AnExceptionImpl", "CREATE_NEW");
    ASSERT_GT(line, 0);
    EXPECT_EQ(report, (std::vector<std::string>{"Error", "Bitmap creation failed", "", "File=" + DesktopSourcePath(),
                                                "Line=" + std::to_string(line),
                                                "GetLastError()=" + std::to_string(expected)}));
    EXPECT_EQ(NamesIn(scratch_.Path()), Names{L"20240102"});
    EXPECT_EQ(ReadBytes(scratch_ / L"20240102"), std::vector<unsigned char>{'x'});
    ExpectClipboardAndViewerUntouched();
}

TEST_F(OutputFailureTest, FailedOrShortWritesLeaveNoFile) {
    const CapturedImage image = CaptureArea(surface_.Dc(), {0, 0}, {10, 10});
    const std::wstring path = scratch_ / L"00001.bmp";
    int calls = 0;
    // The headers go through; the pixel data fails with a disk-full code.
    const auto failing = [&](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
        if (++calls == 1) return WriteFile(file, data, size, written, nullptr);
        *written = 0;
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    };
    auto report = ReportOf([&] { WriteImageFile(image, path, nullptr, failing); });
    ASSERT_EQ(report.size(), 6u);
    EXPECT_EQ(report[5], "GetLastError()=" + std::to_string(ERROR_DISK_FULL));
    EXPECT_FALSE(FileExists(path));

    // Half the pixel data written and success claimed.
    calls = 0;
    const auto shortWrite = [&](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
        return WriteFile(file, data, ++calls == 1 ? size : size / 2, written, nullptr);
    };
    report = ReportOf([&] { WriteImageFile(image, path, nullptr, shortWrite); });
    ASSERT_EQ(report.size(), 6u);
    EXPECT_EQ(report[5], "GetLastError()=" + std::to_string(ERROR_WRITE_FAULT));
    EXPECT_FALSE(FileExists(path));
    EXPECT_TRUE(NamesIn(scratch_.Path()).empty());
}

TEST_F(OutputFailureTest, EmptyOrOversizedAreaRaisesBeforeAnyFile) {
    OutputSettings settings(scratch_.Path(), 0, FakeViewerPath());
    const std::wstring path = scratch_ / L"area.bmp";
    const int line = DesktopSourceLine("ERROR_INVALID_PARAMETER);");
    ASSERT_GT(line, 0);
    for (const SIZE size : {SIZE{0, 5}, SIZE{5, 0}, SIZE{-3, 5}, SIZE{5, -3}, SIZE{100000, 100000}, SIZE{0x7FFFFFFF, 1}}) {
        SCOPED_TRACE(std::to_string(size.cx) + "x" + std::to_string(size.cy));
        const auto report = ReportOf([&] { WriteCaptureOutput(surface_.Dc(), owner_.Handle(), path, {0, 0}, size); });
        ASSERT_EQ(report.size(), 6u);
        EXPECT_EQ(report[4], "Line=" + std::to_string(line));
        EXPECT_EQ(report[5], "GetLastError()=" + std::to_string(ERROR_INVALID_PARAMETER));
        EXPECT_FALSE(FileExists(path));
    }
    // Through the whole output step as well: no image file in the day folder.
    ImageFileNamer namer([] { return Date(2024, 1, 2); });
    ReportOf([&] { FinishCapture(namer, surface_.Dc(), owner_.Handle(), {0, 0}, {0, 0}); });
    EXPECT_TRUE(NamesIn(scratch_ / L"20240102").empty());
    ExpectClipboardAndViewerUntouched();
}

}  // namespace
}  // namespace Vorlune::Test
