#pragma once
#include <windows.h>

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "Capture/ImageNaming.h"

namespace Vorlune {

// Values of the ClipBoard setting; any other value is taken as ClipBoardCopyAndView.
enum ClipBoardMode {
    ClipBoardCopyAndView = 0,
    ClipBoardViewOnly = 1,
    ClipBoardCopyOnly = 2,  // no viewer
    ClipBoardCopyText = 3,  // the window modes then put their description text there
};

// A width x height 24-bit bottom-up DIB section; null when it cannot be made, also for a
// size that is not positive or whose byte count would overflow.
HBITMAP CreateDib24(int width, int height);

// The header of such a bitmap, with no colour table.
BITMAPINFO Dib24Info(int width, int height);

// Picks the lowest free five-digit name in the folder of the current day.
class ImageFileNamer {
public:
    using DateSource = std::function<std::tm()>;

    ImageFileNamer();
    // date gives the local date of "now"; maxNumber caps the image numbers.
    explicit ImageFileNamer(DateSource date, int maxNumber = kMaxImageNumber);

    // Creates the folder (one level) and the day folder; returns the next free image path,
    // or an empty string when every number of the day is taken.
    std::wstring NextImagePath(const std::wstring& folder);

    // After the file at takenPath (the last path returned) turned out to exist: the next
    // free path in the same day folder, or an empty string.
    std::wstring NextImagePathAfterTaken(const std::wstring& takenPath);

    const std::wstring& DayFolder() const { return dayFolder_; }

private:
    std::vector<std::wstring> existingNames_;
    std::wstring dayFolder_;
    DateSource date_;
    int maxNumber_ = kMaxImageNumber;
};

// The local date now, from time and localtime_s.
std::tm LocalDateNow();

// An area copied into its own CreateDib24 bitmap; the bitmap's bits are the pixel data of
// the image file as they are. Owns the bitmap.
class CapturedImage {
public:
    CapturedImage(HBITMAP bitmap, const std::uint8_t* bits, int width, int height, std::uint32_t pixelBytes)
        : bitmap_(bitmap), bits_(bits), width_(width), height_(height), pixelBytes_(pixelBytes) {}
    ~CapturedImage();
    CapturedImage(CapturedImage&& other) noexcept;
    CapturedImage(const CapturedImage&) = delete;
    CapturedImage& operator=(const CapturedImage&) = delete;
    CapturedImage& operator=(CapturedImage&&) = delete;

    HBITMAP Bitmap() const { return bitmap_; }
    const std::uint8_t* Bits() const { return bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t PixelBytes() const { return pixelBytes_; }

private:
    HBITMAP bitmap_;
    const std::uint8_t* bits_;
    int width_;
    int height_;
    std::uint32_t pixelBytes_;
};

// Copies the area of source at position (size pixels) into a new image. Throws
// AnExceptionImpl when it cannot be made; no file is touched then.
CapturedImage CaptureArea(HDC source, POINT position, SIZE size);

// WriteFile, or a stand-in for tests.
using ImageWriteFunction = std::function<BOOL(HANDLE file, const void* data, DWORD size, DWORD* written)>;

// Writes image as a new file at path; an existing file is never overwritten. With a namer,
// a name taken since it was picked moves on to the namer's next free name. Returns the
// path written. Throws AnExceptionImpl on failure, leaving no file behind.
std::wstring WriteImageFile(const CapturedImage& image, const std::wstring& path, ImageFileNamer* namer,
                            const ImageWriteFunction& write = {});

// Puts a copy of image, made from its bits, on the clipboard; true when it is there.
bool CopyImageToClipboard(HWND owner, const CapturedImage& image);

// Writes the area of outputDC as a BMP to path and copies it to the clipboard as the
// ClipBoard setting says. Throws AnExceptionImpl when the file cannot be written.
void WriteCaptureOutput(HDC outputDC, HWND owner, const std::wstring& path, POINT position, SIZE size);

// Starts the viewer on path (quoted; no parameters when path is empty); true when it started.
bool LaunchViewer(HWND owner, const std::wstring& viewer, const std::wstring& path);

// The whole output step of a capture: file, clipboard and viewer, by the settings.
void FinishCapture(ImageFileNamer& namer, HDC outputDC, HWND owner, POINT position, SIZE size);

}  // namespace Vorlune
