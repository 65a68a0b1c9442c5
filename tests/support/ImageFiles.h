#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "Scratch.h"
#include "SettingGuard.h"

namespace Vorlune::Test {

// A 24-bit bottom-up BMP file as written by the output step.
struct Bitmap24 {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bytes;

    // False unless the headers are those of such a file and the size adds up.
    bool Valid() const;
    // (x, y) counted from the top row, as on screen.
    COLORREF Pixel(int x, int y) const;
};

Bitmap24 ReadBitmap24(const std::wstring& path);

// An image file decoded through the Windows Imaging Component, rows top down, blue, green,
// red; empty unless the decoder gives 24-bit pixels without alpha.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgr;
    COLORREF Pixel(int x, int y) const;
};

DecodedImage DecodeImageFile(const std::wstring& path);

// For one test: images go to a scratch folder, and the viewer is not started.
class ImageFolderGuard {
public:
    // Every .bmp below the folder, sorted by path.
    std::vector<std::wstring> Images() const;
    // The index-th of them read back; none when it is missing or not a valid file.
    std::optional<Bitmap24> Image(size_t index) const;

private:
    ScratchDir folder_;
    StringSettingGuard saveFolder_{KeySaveFolder, folder_.Path()};
    SettingGuard clipboardOnly_{SectionSettings, KeyClipBoard, 2};
};

}  // namespace Vorlune::Test
