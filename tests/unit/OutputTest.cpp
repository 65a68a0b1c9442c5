// The output step: image names, the BMP's bytes, the clipboard, the viewer and every failure.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
#include "MessageBoxWatcher.h"
#include "Output.h"
#include "Screen.h"
#include "Wait.h"
#include "app/AppContext.h"
#include "core/ClipBoardMode.h"
#include "core/ImageNames.h"

namespace Vorlune::Test {
namespace {

using Names = std::vector<std::wstring>;
using Lines = std::vector<std::string>;
using Bytes = std::vector<unsigned char>;

std::tm Date(int year, int month, int day) {
    std::tm date = {};
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    date.tm_hour = 12;
    return date;
}

// SaveFolder, ClipBoard and Viewer for one test.
struct OutputSettings {
    OutputSettings(const std::wstring& folder, int clipBoard,
                   const std::wstring& viewer = ExeFolder() + L"fake_viewer.exe")
        : folder_(KeySaveFolder, folder),
          viewer_(KeyViewer, viewer),
          clipBoard_(SectionSettings, KeyClipBoard, clipBoard) {}
    StringSettingGuard folder_, viewer_;
    SettingGuard clipBoard_;
};

std::string Code(DWORD error) { return "GetLastError()=" + std::to_string(error); }

// The text up to each '\n' (or "\r\n") of text.
Lines Split(const std::string& text, const std::string& end = "\n") {
    Lines lines;
    for (size_t start = 0, at; (at = text.find(end, start)) != std::string::npos; start = at + end.size())
        lines.push_back(text.substr(start, at - start));
    return lines;
}

class OutputTest : public ::testing::Test {
protected:
    OutputTest() {
        SetEnvironmentVariableW(L"GLIMRA_FAKE_VIEWER_LOG", (scratch_ / L"viewer.log").c_str());
        SetClipboardText(owner_.Handle(), L"the user's text");
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) SetPixelV(surface_.dc(), x, y, ScreenPattern(x, y));
    }
    ~OutputTest() override {
        SetEnvironmentVariableW(L"GLIMRA_FAKE_VIEWER_LOG", nullptr);
        App().Language = language_;
    }

    // The last line of the report of the output error that body raises: its code.
    template <class Body>
    std::string CodeOf(Body body) {
        try {
            body();
        } catch (const AnExceptionImpl& error) {
            return Split(error.what(), "\r\n").back();
        }
        return "no output error";
    }

    const int language_ = App().Language;
    OwnerWindow owner_;
    ScratchDir scratch_;
    std::tm date_ = Date(2024, 3, 5);
    ImageFileNamer namer_{[this] { return date_; }};
    std::wstring day_ = scratch_ / L"20240305\\";
    const MemorySurface surface_{CreateDib24(20, 20)};  // pixel (x, y) is ScreenPattern(x, y)
};

TEST_F(OutputTest, EachImageTakesTheFirstFreeNameInTodaysFolder) {
    const std::wstring images = scratch_ / L"images", day = images + L"\\20240305\\";  // missing, no backslash
    EXPECT_EQ(namer_.NextImagePath(images), day + L"00001.bmp");
    // The file system ignores case and a folder takes a name too; a longer name does not.
    for (const wchar_t* name : {L"00001.bmp", L"00003.BMP", L"00004.bmp.bak"}) WriteBytes(day + name, {'x'});
    CreateDirectoryW((day + L"00002.bmp").c_str(), nullptr);
    EXPECT_EQ(namer_.NextImagePath(images), day + L"00004.bmp");
    date_ = Date(2025, 1, 1);
    EXPECT_EQ(namer_.NextImagePath(images), images + L"\\20250101\\00001.bmp");
}

// A name taken between picking and writing, for the image or its temporary file: the namer's
// next one, or an error; never an overwrite.
TEST_F(OutputTest, TakenNamesAreNeverOverwritten) {
    OutputSettings settings(scratch_.Path(), 0);
    const std::wstring first = namer_.NextImagePath(scratch_.Path());
    WriteBytes(first, {'x'});  // another writer gets there first
    WriteBytes(day_ + L"00001.tmp", {'x'});
    const CapturedImage image = CaptureArea(surface_.dc(), {0, 0}, {2, 2});
    EXPECT_EQ(WriteImageFile(EncodeImageFile(image, ImageFormatBmp), first, &namer_), day_ + L"00002.bmp");
    EXPECT_EQ(CodeOf([&] {
                  WriteCaptureOutput(surface_.dc(), owner_.Handle(), first, {0, 0}, {2, 2});
              }),
              Code(ERROR_FILE_EXISTS));
    WriteBytes(day_ + L"00003.bmp", {'x'});
    ImageFileNamer full([this] { return date_; }, 3);
    MessageBoxWatcher boxes;
    EXPECT_EQ(FinishCapture(full, surface_.dc(), owner_.Handle(), {0, 0}, {2, 2}).outcome, CaptureOutcome::Failed);
    EXPECT_EQ(NamesIn(day_), (Names{L"00001.bmp", L"00001.tmp", L"00002.bmp", L"00003.bmp"}));
    EXPECT_EQ(ReadBytes(first), Bytes{'x'});
    EXPECT_EQ(ReadBytes(day_ + L"00001.tmp"), Bytes{'x'});
}

// A file where today's folder belongs: the box says where and why, in the current language,
// and the image is on the clipboard, although ClipBoard 1 keeps images off it.
class UnwrittenImage : public OutputTest, public testing::WithParamInterface<int> {};
TEST_P(UnwrittenImage, StaysOnTheClipboardWithItsBox) {
    const std::wstring texts[2][2] = {
        {L"画像ファイルを書き込めませんでした:", L"画像はクリップボードにコピーしました。"},
        {L"The image file could not be written:", L"The image is on the clipboard."}};
    OutputSettings settings(scratch_.Path(), 1);
    WriteBytes(scratch_ / L"20240305", {'x'});
    App().Language = GetParam();
    MessageBoxWatcher boxes;
    EXPECT_EQ(FinishCapture(namer_, surface_.dc(), owner_.Handle(), {3, 4}, {6, 5}).outcome, CaptureOutcome::Failed);
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ(boxes.Texts(), App().title + L"|" + texts[GetParam()][0] + L"\r\n" + day_ +
                                 L"00001.bmp\r\n\r\nPath not found. (3)\r\n\r\n" + texts[GetParam()][1] + L"|");
    EXPECT_TRUE(ShowsThePattern(ClipboardImage(), {3, 4, 9, 9}));
}
INSTANTIATE_TEST_SUITE_P(OutputTest, UnwrittenImage, testing::Values(0, 1));

// A virus scanner or an indexer that holds the new file a moment does not cost the image; a
// move still refused after a second fails and leaves no file.
TEST_F(OutputTest, AMoveRefusedIsTriedAgainForASecond) {
    int refusals = 2;
    const auto move = [&](const wchar_t* from, const wchar_t* to) -> BOOL {
        if (refusals-- == 0) return MoveFileExW(from, to, 0);
        SetLastError(refusals < 0 ? ERROR_ACCESS_DENIED : ERROR_SHARING_VIOLATION);
        return FALSE;
    };
    const CapturedImage image = CaptureArea(surface_.dc(), {0, 0}, {2, 2});
    EXPECT_EQ(WriteImageFile(EncodeImageFile(image, ImageFormatBmp), scratch_ / L"00001.bmp", nullptr, {.move = move}),
              scratch_ / L"00001.bmp");
    EXPECT_EQ(CodeOf([&] {
                  WriteImageFile(EncodeImageFile(image, ImageFormatBmp), scratch_ / L"00002.bmp", nullptr,
                                 {.move = move});
              }),
              Code(ERROR_ACCESS_DENIED));
    EXPECT_EQ(NamesIn(scratch_.Path()), Names{L"00001.bmp"});
}

// In the longest folder that holds every image name, each image's temporary file fits too.
TEST_F(OutputTest, TemporaryFilesAreNoLongerThanTheirImages) {
    std::wstring folder = scratch_.Path();
    folder += std::wstring(239 - folder.size() - 1, L'f') + L"\\";
    ASSERT_TRUE(HoldsEveryImageName(folder + L"20240305\\"));
    ASSERT_FALSE(HoldsEveryImageName(folder + L"f20240305\\"));
    std::wstring temporary;
    const auto move = [&](const wchar_t* from, const wchar_t* to) {
        temporary = from;
        return MoveFileExW(from, to, 0);
    };
    const std::wstring path = namer_.NextImagePath(folder);
    const CapturedImage image = CaptureArea(surface_.dc(), {0, 0}, {2, 2});
    EXPECT_EQ(WriteImageFile(EncodeImageFile(image, ImageFormatBmp), path, &namer_, {.move = move}), path);
    EXPECT_EQ(temporary, folder + L"20240305\\00001.tmp");
}

// Half of each write goes to disk; then it fails with disk full, or claims success until it
// writes nothing. A PNG's one write takes the path of a BMP's first.
TEST_F(OutputTest, FailedOrShortWritesLeaveNoFile) {
    const CapturedImage image = CaptureArea(surface_.dc(), {0, 0}, {10, 10});
    for (const DWORD code : {DWORD(ERROR_DISK_FULL), DWORD(ERROR_WRITE_FAULT)}) {
        SCOPED_TRACE(code);
        const auto write = [&](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
            const BOOL wrote = WriteFile(file, data, size / 2, written, nullptr);
            if (code == ERROR_WRITE_FAULT) return wrote;
            SetLastError(ERROR_DISK_FULL);
            return FALSE;
        };
        const std::wstring path = scratch_ / ImageFileName(1);
        EXPECT_EQ(
            CodeOf([&] { WriteImageFile(EncodeImageFile(image, ImageFormatBmp), path, nullptr, {.write = write}); }),
            Code(code));
        EXPECT_EQ(NamesIn(scratch_.Path()), Names{});
    }
}

// Past the 31-bit sizes readers expect (BmpLayout's test has every size a BMP cannot hold): no file at all.
TEST_F(OutputTest, AnAreaNoBmpCanHoldRaisesBeforeAnyFile) {
    OutputSettings settings(scratch_.Path(), 0);
    const std::wstring path = scratch_ / L"area.bmp";
    EXPECT_EQ(CodeOf([&] {
                  WriteCaptureOutput(surface_.dc(), owner_.Handle(), path, {0, 0}, {40000, 35000});
              }),
              Code(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(FileExists(path));
}

// Only 1 leaves the user's text on the clipboard.
class ClipBoardValue : public OutputTest, public testing::WithParamInterface<int> {};
TEST_P(ClipBoardValue, PutsTheImageOnTheClipboardUnlessItIsOne) {
    OutputSettings settings(scratch_.Path(), GetParam());
    FinishCapture(namer_, surface_.dc(), owner_.Handle(), {3, 4}, {6, 5});
    EXPECT_EQ(ClipboardText(), GetParam() == 1 ? "the user's text" : "");
    EXPECT_EQ(static_cast<bool>(ShowsThePattern(ClipboardImage(), {3, 4, 9, 9})), GetParam() != 1);
    EXPECT_EQ(ClipboardBytes(RegisterClipboardFormatW(L"PNG")), Bytes{});  // a BMP's copy is the bitmap alone
}
INSTANTIATE_TEST_SUITE_P(OutputTest, ClipBoardValue, testing::Values(0, 1, 2));

// As a clipboard manager does after every change, another thread holds it: for 300 ms, and until a
// message sent meanwhile has been answered. A thread that is free answers in microseconds; one
// that waits for the clipboard answers only once its wait has given up, and the image is lost.
TEST_F(OutputTest, AClipboardHeldForAMomentLeavesTheWindowAnsweringAndThenTakesTheImage) {
    OutputSettings settings(scratch_.Path(), ClipBoardCopyOnly);
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Held());
    const auto heldSince = std::chrono::steady_clock::now();
    FinishCapture(namer_, surface_.dc(), owner_.Handle(), {3, 4}, {6, 5});
    auto answered = std::async(std::launch::async, [this] {
        const auto sent = std::chrono::steady_clock::now();
        SendMessageW(owner_.Handle(), WM_NULL, 0, 0);
        return std::chrono::steady_clock::now() - sent;
    });
    ASSERT_TRUE(WaitUntil([&] { return answered.wait_for(0s) == std::future_status::ready; }));
    EXPECT_LT(answered.get(), 50ms);
    ASSERT_TRUE(WaitUntil([&] { return std::chrono::steady_clock::now() - heldSince >= 300ms; }));
    holder.LetGo();
    EXPECT_TRUE(ShowsThePattern(ClipboardImage(), {3, 4, 9, 9}));
}

// Held past the half second of tries: a box says so in the current language, once, and the
// user's clipboard stays as it was.
class RefusedClipboard : public OutputTest, public testing::WithParamInterface<int> {};
TEST_P(RefusedClipboard, SaysSoInABox) {
    const std::wstring texts[2] = {L"画像をクリップボードにコピーできませんでした。",
                                   L"The image could not be put on the clipboard."};
    OutputSettings settings(scratch_.Path(), ClipBoardCopyOnly);
    App().Language = GetParam();
    MessageBoxWatcher boxes;
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Held());
        EXPECT_EQ(FinishCapture(namer_, surface_.dc(), owner_.Handle(), {3, 4}, {6, 5}).outcome,
                  CaptureOutcome::Written);
        ASSERT_TRUE(boxes.WaitForCount(1));
    }
    EXPECT_EQ(boxes.Texts(), App().title + L"|" + texts[GetParam()] + L"|");
    EXPECT_EQ(ClipboardText(), "the user's text");
}
INSTANTIATE_TEST_SUITE_P(OutputTest, RefusedClipboard, testing::Values(0, 1));

// The box of an image that could not be written names where the image is, so it waits until
// the clipboard has taken it.
TEST_F(OutputTest, AnUnwrittenImagesBoxWaitsForAClipboardHeldForAMoment) {
    OutputSettings settings(scratch_.Path(), 1);
    WriteBytes(scratch_ / L"20240305", {'x'});
    App().Language = 1;
    MessageBoxWatcher boxes;
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Held());
    FinishCapture(namer_, surface_.dc(), owner_.Handle(), {3, 4}, {6, 5});
    holder.LetGo();
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ(boxes.Texts(), App().title + L"|The image file could not be written:\r\n" + day_ +
                                 L"00001.bmp\r\n\r\nPath not found. (3)\r\n\r\nThe image is on the clipboard.|");
    EXPECT_TRUE(ShowsThePattern(ClipboardImage(), {3, 4, 9, 9}));
}

// After a capture with 2 first: a viewer that one started would write the first line.
class ViewerStart : public OutputTest, public testing::WithParamInterface<int> {};
TEST_P(ViewerStart, OpensTheImageUnlessClipBoardIsTwo) {
    const std::wstring images = scratch_ / L"my captured images";  // spaces, as under a user's documents
    {
        OutputSettings noViewer(images, 2);
        FinishCapture(namer_, surface_.dc(), owner_.Handle(), {3, 4}, {6, 5});
    }
    OutputSettings settings(images, GetParam());
    FinishCapture(namer_, surface_.dc(), owner_.Handle(), {3, 4}, {6, 5});
    Lines lines;  // one per start of the stand-in viewer, "<argument count>|<argument 1>|..."
    WaitUntil([&] {
        const Bytes bytes = ReadBytes(scratch_ / L"viewer.log");
        return !(lines = Split(std::string(bytes.begin(), bytes.end()))).empty();
    });
    EXPECT_EQ(lines, Lines{"1|" + Narrow(images + L"\\20240305\\" + ImageFileName(2))});
}
INSTANTIATE_TEST_SUITE_P(OutputTest, ViewerStart, testing::Values(0, 1));

TEST_F(OutputTest, ViewerThatCannotStartGivesOnlyTheProgramsMessage) {
    OutputSettings settings(scratch_.Path(), 0, scratch_ / L"no such viewer.exe");
    App().Language = 1;
    MessageBoxWatcher boxes;
    FinishCapture(namer_, surface_.dc(), owner_.Handle(), {3, 4}, {6, 5});
    // The box is modal inside FinishCapture: every box it showed has been seen by now.
    EXPECT_EQ(boxes.Texts(), App().title + L"|Failed to start the viewer|");
}

// A settings file without the format's key writes the BMP as before: rows bottom up, each
// padded with zeros to four bytes, straight from the source pixels.
TEST_F(OutputTest, BmpFileOfThreeByTwo) {
    OutputSettings settings(scratch_.Path(), ClipBoardCopyOnly);
    WritePrivateProfileStringW(L"Settings", L"ImageFormat", nullptr, Store().Path().c_str());
    Bytes headers = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24};
    headers.resize(54);  // the rest of the headers is zero
    FinishCapture(namer_, surface_.dc(), owner_.Handle(), {13, 6}, {3, 2});
    ASSERT_EQ(NamesIn(day_), Names{L"00001.bmp"});
    const Bytes bytes = ReadBytes(day_ + L"00001.bmp");
    ASSERT_EQ(bytes.size(), 78u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 54), headers);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const size_t at = 54 + 12 * (1 - y) + 3 * x;
            EXPECT_EQ(RGB(bytes[at + 2], bytes[at + 1], bytes[at]), ScreenPattern(13 + x, 6 + y)) << x << "," << y;
        }
    for (size_t pad : {63, 64, 65, 75, 76, 77}) EXPECT_EQ(bytes[pad], 0) << pad;
}

// 8-bit RGB without alpha (colour type 2), read back through the Imaging Component. An odd
// width: the rows of the source are padded, those of a PNG are not.
TEST_F(OutputTest, PngHoldsTheSnapshotsPixels) {
    OutputSettings settings(scratch_.Path(), ClipBoardCopyOnly);
    SettingGuard format(SectionSettings, KeyImageFormat, ImageFormatPng);
    FinishCapture(namer_, surface_.dc(), owner_.Handle(), {3, 4}, {7, 5});
    const Bytes bytes = ReadBytes(day_ + L"00001.png");
    ASSERT_GE(bytes.size(), 26u);
    EXPECT_EQ(Bytes(bytes.begin() + 12, bytes.begin() + 26), (Bytes{'I', 'H', 'D', 'R', 0, 0, 0, 7, 0, 0, 0, 5, 8, 2}));
    const DecodedImage image = DecodeImageFile(day_ + L"00001.png");
    ASSERT_EQ(image.width, 7);
    ASSERT_EQ(image.height, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(image.Pixel(x, y), ScreenPattern(3 + x, 4 + y)) << x << "," << y;
}

// Programs that take PNG get the file's exact bytes; the others still find the bitmap.
TEST_F(OutputTest, PngGoesOnTheClipboardBesideTheBitmap) {
    OutputSettings settings(scratch_.Path(), ClipBoardCopyOnly);
    SettingGuard format(SectionSettings, KeyImageFormat, ImageFormatPng);
    FinishCapture(namer_, surface_.dc(), owner_.Handle(), {3, 4}, {6, 5});
    EXPECT_EQ(ClipboardBytes(RegisterClipboardFormatW(L"PNG")), ReadBytes(day_ + L"00001.png"));
    EXPECT_TRUE(ShowsThePattern(ClipboardImage(), {3, 4, 9, 9}));
}

}  // namespace
}  // namespace Vorlune::Test
