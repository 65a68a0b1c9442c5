#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace Vorlune {

// A width x height 24-bit bottom-up DIB section; null when it cannot be made.
HBITMAP CreateDib24(int width, int height);

// Picks the lowest free five-digit name in the folder of the current day.
class ImageFileNamer {
public:
    // Creates the folder (one level) and the day folder; returns the next free image path.
    std::wstring NextImagePath(const std::wstring& folder);

    const std::wstring& DayFolder() const { return dayFolder_; }

private:
    std::vector<std::wstring> existingNames_;
    std::wstring dayFolder_;
};

// Writes the area of outputDC as a BMP to path and copies it to the clipboard as the
// ClipBoard setting says. Throws AnExceptionImpl when the file cannot be written.
void WriteCaptureOutput(HDC outputDC, HWND owner, const std::wstring& path, POINT position, SIZE size);

// Starts the viewer on path; true when it started.
bool LaunchViewer(HWND owner, const std::wstring& viewer, const std::wstring& path);

// The whole output step of a capture: file, clipboard and viewer, by the settings.
void FinishCapture(ImageFileNamer& namer, HDC outputDC, HWND owner, POINT position, SIZE size);

}  // namespace Vorlune
