#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "Capture/CaptureRequest.h"
#include "Capture/CapturedImage.h"
#include "Capture/ImageFileNamer.h"
#include "core/ImageFormat.h"

// The output step of every capture: the picked area as a new image file, on the clipboard
// and in the viewer, as the settings say.
namespace Vorlune {

// Copies the area of source at position (size pixels) into a new image. Throws
// AnExceptionImpl when it cannot be made; no file is touched then.
CapturedImage CaptureArea(HDC source, POINT position, SIZE size);
// Writes one line of an image: its index and its pixels, 32 bits each.
using ImageLineWriter = std::function<void(int index, const std::uint32_t* line)>;
// A new image of width x height pixels that fill writes line by line through the writer it is
// given: rows top first, or columns left first when columns is set. No other copy of the image
// is made. Throws as CaptureArea.
CapturedImage ImageOfLines(int width, int height, bool columns,
                           const std::function<void(const ImageLineWriter&)>& fill);

// An image file's bytes in writing order: the encoded part (a BMP's two headers, or a whole
// PNG), then for a BMP the image's own bits, which are its pixel data as they are.
struct ImageFileBytes {
    ImageFormat format = ImageFormatBmp;
    std::vector<std::uint8_t> encoded;
    std::span<const std::uint8_t> pixels;  // borrowed from the image

    // The whole PNG file; empty for a BMP.
    std::span<const std::uint8_t> Png() const {
        return format == ImageFormatPng ? std::span<const std::uint8_t>(encoded) : std::span<const std::uint8_t>();
    }
};

// Throws AnExceptionImpl when a PNG cannot be encoded.
ImageFileBytes EncodeImageFile(const CapturedImage& image, ImageFormat format);

// The file calls of a write; empty ones are WriteFile and MoveFileExW without replacing.
// Tests put stand-ins in their place.
struct ImageFileCalls {
    std::function<BOOL(HANDLE file, const void* data, DWORD size, DWORD* written)> write = {};
    std::function<BOOL(const wchar_t* from, const wchar_t* to)> move = {};
};

// Writes the file as a new file at path: written in full beside it first (TemporaryImageName),
// then moved there without replacing anything, tried again for a second while another program
// refuses the move. With a namer, a name taken since it was picked moves on to the namer's
// next free name. Returns the path written. Throws ImageWriteError on failure, leaving no
// file behind.
std::wstring WriteImageFile(const ImageFileBytes& file, const std::wstring& path, ImageFileNamer* namer,
                            const ImageFileCalls& calls = {});

// How the output step tells what went wrong: in a box owned by owner (unowned once the owner is
// gone), or, given a report, as a line of it. Copies tell alike, also once the capture has ended:
// what the clipboard's outcome adds may be known only then.
struct OutputTeller {
    explicit OutputTeller(HWND owner, std::shared_ptr<std::wstring> report = nullptr)
        : owner(owner), report(std::move(report)) {}
    void operator()(const std::wstring& text) const;

    HWND owner;
    std::shared_ptr<std::wstring> report;
};

// Puts a copy of image and png on the clipboard (see CopyImageToClipboard); tell says so when the
// clipboard refuses them.
void CopyImageOrTell(const OutputTeller& tell, const CapturedImage& image, std::span<const std::uint8_t> png);

// Writes the area of outputDC to path in the format of the ImageFormat setting and copies it
// to the clipboard as the ClipBoard setting says, a refusal told in a box. Throws AnExceptionImpl when the file
// cannot be written.
void WriteCaptureOutput(HDC outputDC, HWND owner, const std::wstring& path, POINT position, SIZE size);

// The whole output step of a capture: file, clipboard and viewer, by the settings and the
// request, the file and the viewer at once whatever the clipboard does. When the file cannot be
// written the image goes to the clipboard all the same (unless the request leaves it be), a box or
// the result's outputReport says so, naming the clipboard's outcome once it is known, and the
// outcome is Failed. Throws AnExceptionImpl when the area cannot be copied or encoded.
CaptureResult FinishCapture(ImageFileNamer& namer, HDC outputDC, HWND owner, POINT position, SIZE size,
                            const CaptureRequest& request = {});
// The same output step for an image made already.
CaptureResult OutputImage(ImageFileNamer& namer, CapturedImage image, HWND owner, const CaptureRequest& request);

}  // namespace Vorlune
