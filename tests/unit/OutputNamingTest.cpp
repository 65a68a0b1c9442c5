#include <gtest/gtest.h>

#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"
#include "Capture/Viewer.h"
#include "settings/ImageNames.h"
#include "OutputTestSupport.h"

namespace Vorlune::Test {
namespace {

using Names = std::vector<std::wstring>;

TEST(ImageNaming, FormatsAndLowestFreeNumber) {
    EXPECT_EQ(DayFolderName(Date(2024, 1, 2)), L"20240102");
    EXPECT_EQ(DayFolderName(Date(987, 12, 31)), L"09871231");
    EXPECT_EQ(ImageFileName(1), L"00001.bmp");
    EXPECT_EQ(ImageFileName(99999), L"99999.bmp");
    EXPECT_EQ(ImageFileName(100000), L"100000.bmp");

    EXPECT_EQ(PickFreeImageName({}), L"00001.bmp");
    EXPECT_EQ(PickFreeImageName({L"00001.bmp", L"00003.bmp"}), L"00002.bmp");  // the gap, not one past the top
    // The file system ignores case; anything else that is not the exact name does not count.
    EXPECT_EQ(PickFreeImageName({L"00001.BMP", L"00002.Bmp", L"00003.bmp.txt", L"0003.bmp", L"00003", L" 00003.bmp"}),
              L"00003.bmp");
}

TEST(ImageNaming, AllNumbersTaken) {
    Names all;
    for (int number = 1; number <= kMaxImageNumber; ++number) all.push_back(ImageFileName(number));
    EXPECT_FALSE(PickFreeImageName(all));
    all.erase(all.begin() + 41);
    EXPECT_EQ(PickFreeImageName(all), L"00042.bmp");
    EXPECT_FALSE(PickFreeImageName({L"00001.bmp", L"00002.BMP", L"00003.bmp"}, 3));
}

class ImageFileNamerTest : public ::testing::Test {
protected:
    ImageFileNamer namer_{[this] { return date_; }};
    std::tm date_ = Date(2024, 3, 5);
    ScratchDir scratch_;
};

TEST_F(ImageFileNamerTest, CreatesTheFoldersAndStartsAtOne) {
    const std::wstring images = scratch_ / L"images";  // missing, and no trailing backslash
    EXPECT_EQ(namer_.NextImagePath(images), images + L"\\20240305\\00001.bmp");
    EXPECT_TRUE(FolderExists(images + L"\\20240305"));
    EXPECT_EQ(namer_.DayFolder(), images + L"\\20240305\\");
    EXPECT_EQ(namer_.NextImagePath(images + L"\\"), images + L"\\20240305\\00001.bmp");
}

TEST_F(ImageFileNamerTest, SkipsTakenNamesAndLookAlikes) {
    const std::wstring day = scratch_ / L"20240305\\";
    CreateDirectoryW(day.c_str(), nullptr);
    TouchFile(day + L"00001.bmp");
    TouchFile(day + L"00003.BMP");
    CreateDirectoryW((day + L"00002.bmp").c_str(), nullptr);  // a folder takes the name too
    TouchFile(day + L"00004.bmp.bak");
    EXPECT_EQ(namer_.NextImagePath(scratch_.Path()), day + L"00004.bmp");
}

TEST_F(ImageFileNamerTest, DaysOnEitherSideOfMidnight) {
    date_ = Date(2024, 12, 31);
    EXPECT_EQ(namer_.NextImagePath(scratch_.Path()), scratch_ / L"20241231\\00001.bmp");
    TouchFile(scratch_ / L"20241231\\00001.bmp");
    date_ = Date(2025, 1, 1);
    EXPECT_EQ(namer_.NextImagePath(scratch_.Path()), scratch_ / L"20250101\\00001.bmp");
}

TEST_F(ImageFileNamerTest, TwoCapturesInARow) {
    OutputSettings settings(scratch_.Path(), 2, FakeViewerPath());
    PatternSurface surface(8, 8);
    FinishCapture(namer_, surface.Dc(), nullptr, {0, 0}, {4, 4});
    FinishCapture(namer_, surface.Dc(), nullptr, {0, 0}, {3, 3});
    EXPECT_EQ(NamesIn(scratch_ / L"20240305"), (Names{L"00001.bmp", L"00002.bmp"}));
    EXPECT_EQ(ReadBytes(scratch_ / L"20240305\\00002.bmp").size(), 54u + 12u * 3u);
}

TEST_F(ImageFileNamerTest, NameTakenMeanwhileMovesOn) {
    PatternSurface surface(4, 4);
    const std::wstring first = namer_.NextImagePath(scratch_.Path());
    TouchFile(first);  // another writer gets there first
    const CapturedImage image = CaptureArea(surface.Dc(), {0, 0}, {2, 2});
    EXPECT_EQ(WriteImageFile(image, first, &namer_), scratch_ / L"20240305\\00002.bmp");
    EXPECT_EQ(ReadBytes(first), std::vector<unsigned char>{'x'});
    EXPECT_EQ(ReadBytes(scratch_ / L"20240305\\00002.bmp").size(), 54u + 8u * 2u);
}

TEST_F(ImageFileNamerTest, ExistingFileIsNeverOverwritten) {
    OwnerWindow owner;
    OutputSettings settings(scratch_.Path(), 1, FakeViewerPath());
    PatternSurface surface(4, 4);
    const std::wstring path = scratch_ / L"taken.bmp";
    TouchFile(path);
    try {
        WriteCaptureOutput(surface.Dc(), owner.Handle(), path, {0, 0}, {2, 2});
        FAIL() << "no error";
    } catch (const AnExceptionImpl& error) {
        EXPECT_EQ(ReportLines(error.what()).at(5), "GetLastError()=" + std::to_string(ERROR_FILE_EXISTS));
    }
    EXPECT_EQ(ReadBytes(path), std::vector<unsigned char>{'x'});
}

TEST_F(ImageFileNamerTest, AllNumbersTakenRaisesTheOutputErrorAndWritesNothing) {
    OwnerWindow owner;
    FakeViewerLog viewer;
    OutputSettings settings(scratch_.Path(), 0, FakeViewerPath());
    SetClipboardText(owner.Handle(), L"the user's text");
    ImageFileNamer small([this] { return date_; }, 3);
    const std::wstring day = scratch_ / L"20240305\\";
    CreateDirectoryW(day.c_str(), nullptr);
    for (const wchar_t* name : {L"00001.bmp", L"00002.bmp", L"00003.bmp"}) TouchFile(day + name);
    PatternSurface surface(4, 4);
    EXPECT_EQ(small.NextImagePath(scratch_.Path()), L"");
    try {
        FinishCapture(small, surface.Dc(), owner.Handle(), {0, 0}, {2, 2});
        FAIL() << "no error";
    } catch (const AnExceptionImpl& error) {
        EXPECT_EQ(ReportLines(error.what()).at(5), "GetLastError()=" + std::to_string(ERROR_FILE_EXISTS));
    }
    EXPECT_EQ(NamesIn(day), (Names{L"00001.bmp", L"00002.bmp", L"00003.bmp"}));
    EXPECT_EQ(ReadBytes(day + L"00003.bmp"), std::vector<unsigned char>{'x'});
    EXPECT_EQ(ClipboardText(), L"the user's text");
    // Had the viewer been started, its line would come before this one.
    ASSERT_TRUE(LaunchViewer(nullptr, FakeViewerPath(), L"marker"));
    ASSERT_TRUE(viewer.WaitForLines(1));
    EXPECT_EQ(viewer.Lines(), Names{L"1|marker"});
}

}  // namespace
}  // namespace Vorlune::Test
