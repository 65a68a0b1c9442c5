#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <thread>
#include <vector>

#include "Scratch.h"
#include "SettingGuard.h"

// What the program puts out, read back: image files, folders and the clipboard.
namespace Vorlune::Test {

// An image file (BMP or PNG) decoded through the Windows Imaging Component, rows top down,
// blue, green, red; empty unless the decoder gives 24-bit pixels without alpha.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgr;
    COLORREF Pixel(int x, int y) const;
};

DecodedImage DecodeImageFile(const std::wstring& path);

// Whether image is a picture of the screen's area showing the pattern (see ScreenPattern) over the
// part of it in patterned; else its size or the first pixel that differs.
testing::AssertionResult ShowsThePattern(const DecodedImage& image, const RECT& area, const RECT& patterned);
inline testing::AssertionResult ShowsThePattern(const DecodedImage& image, const RECT& area) {
    return ShowsThePattern(image, area, area);
}

// For one test: images go to a scratch folder, and the viewer is not started.
class ImageFolderGuard {
public:
    // Every .bmp below the folder, sorted by path.
    std::vector<std::wstring> Images() const;
    // The index-th of them decoded; empty when it is missing or cannot be decoded.
    DecodedImage Image(size_t index) const;

private:
    ScratchDir folder_;
    StringSettingGuard saveFolder_{KeySaveFolder, folder_.Path()};
    SettingGuard clipboardOnly_{SectionSettings, KeyClipBoard, 2};
};

// The names in a folder, sorted; empty when it cannot be listed.
std::vector<std::wstring> NamesIn(const std::wstring& folder);

// As the program puts text there: CF_TEXT in the thread's code page.
void SetClipboardText(HWND owner, const std::wstring& text);
// Each reads the clipboard once every put of this thread has its outcome.
std::string ClipboardText();  // CF_TEXT; empty when the clipboard holds none
std::vector<unsigned char> ClipboardBytes(UINT format);  // empty when the clipboard has none
DecodedImage ClipboardImage();  // CF_BITMAP; empty when the clipboard has none
// Opens the clipboard, waiting while another process (or Wine's manager) holds it.
bool OpenClipboardSoon();
// Until every clipboard put of this thread has its outcome, pumping its messages meanwhile.
void AwaitClipboardPuts();

// Another thread of this process holds the clipboard, as a clipboard manager does after every
// change, until it is let go.
class ClipboardHolder {
public:
    ClipboardHolder();
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    bool Held() const { return held_; }
    void LetGo();

private:
    std::promise<bool> opened_;
    std::promise<void> letGo_;
    bool letGone_ = false;
    std::thread thread_;
    bool held_;
};

}  // namespace Vorlune::Test
