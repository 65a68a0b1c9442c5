#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "Capture/CapturedImage.h"
#include "Capture/ImageFileNamer.h"

// The output step of every capture: the picked area as a new image file, on the clipboard
// and in the viewer, as the settings say.
namespace Vorlune {

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

// Writes the area of outputDC as a BMP to path and copies it to the clipboard as the
// ClipBoard setting says. Throws AnExceptionImpl when the file cannot be written.
void WriteCaptureOutput(HDC outputDC, HWND owner, const std::wstring& path, POINT position, SIZE size);

// The whole output step of a capture: file, clipboard and viewer, by the settings.
void FinishCapture(ImageFileNamer& namer, HDC outputDC, HWND owner, POINT position, SIZE size);

}  // namespace Vorlune
