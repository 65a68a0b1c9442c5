#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "CaptureProbe.h"  // OwnerWindow
#include "Scratch.h"

namespace Vorlune::Test {

using Bgr = std::array<std::uint8_t, 3>;

// A memory DC over a 24-bit DIB whose pixel (x, y) has the colour PatternColour(x, y).
class PatternSurface {
public:
    PatternSurface(int width, int height);
    ~PatternSurface();
    PatternSurface(const PatternSurface&) = delete;
    PatternSurface& operator=(const PatternSurface&) = delete;

    HDC Dc() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

Bgr PatternColour(int x, int y);

// The pixel at (x, y), y counted from the top, of a 24-bit bottom-up BMP file's bytes.
Bgr BmpPixel(const std::vector<unsigned char>& file, int width, int height, int x, int y);

// Sets SaveFolder, ClipBoard and Viewer for one test; puts the defaults back afterwards.
class OutputSettings {
public:
    OutputSettings(const std::wstring& saveFolder, int clipBoard, const std::wstring& viewer);
    ~OutputSettings();
    OutputSettings(const OutputSettings&) = delete;
    OutputSettings& operator=(const OutputSettings&) = delete;
};

void SetClipboardText(HWND owner, const std::wstring& text);
std::wstring ClipboardText();  // empty when the clipboard holds no text
bool ClipboardHasBitmap();
// The CF_BITMAP on the clipboard read back as 24-bit pixels, top row first; empty when none.
std::vector<Bgr> ClipboardPixels(int width, int height);

// The test stand-in for a viewer, and the log where it records every start.
std::wstring FakeViewerPath();
class FakeViewerLog {
public:
    FakeViewerLog();
    ~FakeViewerLog();
    FakeViewerLog(const FakeViewerLog&) = delete;
    FakeViewerLog& operator=(const FakeViewerLog&) = delete;

    // One line per start: "<argument count>|<argument 1>|...".
    std::vector<std::wstring> Lines() const;
    bool WaitForLines(size_t count) const;

private:
    ScratchDir folder_;
};

// The lines of an exception report, split at CR LF; the text after the last CR LF is dropped.
std::vector<std::string> ReportLines(const std::string& report);

// The line number of the first line of Capture/Desktop.cpp that contains needle, searching
// from the first line that contains start; 0 when there is none.
int DesktopSourceLine(const std::string& needle, const std::string& start = "");
// Capture/Desktop.cpp as the compiler was given it.
std::string DesktopSourcePath();

std::tm Date(int year, int month, int day);
// The names in a folder, sorted; empty when it cannot be listed.
std::vector<std::wstring> NamesIn(const std::wstring& folder);
void TouchFile(const std::wstring& path);

}  // namespace Vorlune::Test
