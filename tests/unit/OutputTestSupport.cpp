#include "OutputTestSupport.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
#include "Wait.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"

namespace Vorlune::Test {

Bgr PatternColour(int x, int y) {
    return {static_cast<std::uint8_t>(x * 7 + y * 3 + 1), static_cast<std::uint8_t>(x * 5 + y * 11 + 2),
            static_cast<std::uint8_t>(x + y * 13 + 3)};
}

PatternSurface::PatternSurface(int width, int height) {
    const BITMAPINFO info = DibInfo(width, height, 24);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr) throw std::runtime_error("no pattern bitmap");
    const int stride = (width * 3 + 3) / 4 * 4;
    auto* bytes = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Bgr colour = PatternColour(x, y);
            std::copy(colour.begin(), colour.end(), bytes + (height - 1 - y) * stride + x * 3);
        }
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_);
}

PatternSurface::~PatternSurface() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

Bgr BmpPixel(const std::vector<unsigned char>& file, int width, int height, int x, int y) {
    const size_t stride = static_cast<size_t>((width * 3 + 3) / 4 * 4);
    const size_t offset = 54 + static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3;
    return {file.at(offset), file.at(offset + 1), file.at(offset + 2)};
}

OutputSettings::OutputSettings(const std::wstring& saveFolder, int clipBoard, const std::wstring& viewer) {
    CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);  // start-up makes it in the program
    if (!Settings().SetString(KeySaveFolder, saveFolder) || !Settings().SetString(KeyViewer, viewer))
        throw std::runtime_error("cannot write the test settings");
    Settings().SetInt(SectionSettings, KeyClipBoard, clipBoard);
}

OutputSettings::~OutputSettings() {
    Settings().SetString(KeySaveFolder, KeyInfo(KeySaveFolder).defaultText);
    Settings().SetString(KeyClipBoard, KeyInfo(KeyClipBoard).defaultText);
    Settings().SetString(KeyViewer, KeyInfo(KeyViewer).defaultText);
}

namespace {
// Another process (or Wine's clipboard manager) may hold it for a moment.
bool OpenClipboardSoon(HWND owner = nullptr) {
    return WaitUntil([&] { return OpenClipboard(owner) != FALSE; }, 5s);
}
}  // namespace

void SetClipboardText(HWND owner, const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(block)));
    GlobalUnlock(block);
    if (!OpenClipboardSoon(owner)) throw std::runtime_error("clipboard busy");
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) GlobalFree(block);
    CloseClipboard();
}

std::wstring ClipboardText() {
    if (!OpenClipboardSoon()) throw std::runtime_error("clipboard busy");
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool ClipboardHasBitmap() { return IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }

std::vector<Bgr> ClipboardPixels(int width, int height) {
    if (!OpenClipboardSoon()) throw std::runtime_error("clipboard busy");
    std::vector<Bgr> pixels;
    if (auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        BITMAPINFO info = DibInfo(width, -height, 24);  // top row first
        const int stride = (width * 3 + 3) / 4 * 4;
        std::vector<std::uint8_t> bytes(static_cast<size_t>(stride) * static_cast<size_t>(height));
        HDC screen = GetDC(nullptr);
        const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), bytes.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        if (rows == height)
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const std::uint8_t* p = bytes.data() + y * stride + x * 3;
                    pixels.push_back({p[0], p[1], p[2]});
                }
    }
    CloseClipboard();
    return pixels;
}

std::wstring FakeViewerPath() { return ExeFolder() + L"fake_viewer.exe"; }

FakeViewerLog::FakeViewerLog() { SetEnvironmentVariableW(L"GLIMRA_FAKE_VIEWER_LOG", (folder_ / L"viewer.log").c_str()); }

FakeViewerLog::~FakeViewerLog() { SetEnvironmentVariableW(L"GLIMRA_FAKE_VIEWER_LOG", nullptr); }

std::vector<std::wstring> FakeViewerLog::Lines() const {
    const auto bytes = ReadBytes(folder_ / L"viewer.log");
    std::wstring text(bytes.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<int>(bytes.size()), text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(length, 0)));
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool FakeViewerLog::WaitForLines(size_t count) const {
    return WaitUntil([&] { return Lines().size() >= count; });
}

std::vector<std::string> ReportLines(const std::string& report) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(report.substr(start, end - start));
    return lines;
}

std::string DesktopSourcePath() { return std::string(GLIMRA_SOURCE_DIR) + "/Capture/Desktop.cpp"; }

int DesktopSourceLine(const std::string& needle, const std::string& start) {
    // The build runs on Linux; its paths are reached through Wine's drive Z:.
    const std::string path = DesktopSourcePath();
    std::ifstream in((path.front() == '/' ? "Z:" + path : path).c_str());
    std::string line;
    bool started = start.empty();
    for (int number = 1; std::getline(in, line); ++number) {
        if (!started && line.find(start) != std::string::npos) started = true;
        if (started && line.find(needle) != std::string::npos) return number;
    }
    return 0;
}

std::tm Date(int year, int month, int day) {
    std::tm date = {};
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    date.tm_hour = 12;
    return date;
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data = {};
    HANDLE find = FindFirstFileW((folder + (folder.back() == L'\\' ? L"*" : L"\\*")).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

void TouchFile(const std::wstring& path) { WriteBytes(path, {'x'}); }

}  // namespace Vorlune::Test
