#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Bench.h"
#include "core/BmpLayout.h"
#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
#include "Output.h"
#include "Process.h"
#include "settings/ImageFolder.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"
#include "ui/ComRef.h"
#include "ui/GdiOwners.h"

namespace Vorlune::Bench {
namespace {

std::wstring BenchFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void Touch(const std::wstring& path) {
    const KernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void Clear(const std::wstring& folder) {
    ClearFolder(folder, L"", L"", RealFolderOperations());
    RemoveDirectoryW(folder.c_str());
}

template <class Body>
double MedianMs(int runs, Body body) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        body();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    return Median(times);
}

// Real programs on the screen, each moved to a place of its own; they end with the scene.
class ProgramsOnScreen {
public:
    explicit ProgramsOnScreen(const std::wstring& folder) : text_(folder + L"system32.txt") {
        struct Program {
            const wchar_t* exe;
            const wchar_t* className;
            RECT place;  // an empty one keeps the program's own size
        };
        const Program programs[] = {
            {L"C:\\windows\\notepad.exe", L"Notepad", {40, 40, 940, 700}},
            {L"C:\\windows\\regedit.exe", L"RegEdit_RegEdit", {620, 380, 1420, 980}},
            {L"C:\\windows\\system32\\taskmgr.exe", L"#32770", {1180, 60, 1660, 520}},
            {L"C:\\windows\\system32\\winemine.exe", L"WineMine", {1560, 640, 1560, 640}},
        };
        WriteListing(L"C:\\windows\\system32\\", text_);
        for (const Program& program : programs) {
            const bool notepad = std::wstring(program.className) == L"Notepad";
            programs_.push_back(
                std::make_unique<Test::Process>(program.exe, folder, notepad ? L"\"" + text_ + L"\"" : L""));
            HWND window = programs_.back()->WaitWindow(program.className);
            const RECT& r = program.place;
            SetWindowPos(window, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         IsRectEmpty(&r) ? SWP_NOSIZE : 0);
        }
        Test::WaitUntil([] { return false; }, std::chrono::milliseconds(1500));  // until all have painted
    }
    ~ProgramsOnScreen() {
        programs_.clear();
        DeleteFileW(text_.c_str());
    }
    ProgramsOnScreen(const ProgramsOnScreen&) = delete;
    ProgramsOnScreen& operator=(const ProgramsOnScreen&) = delete;

private:
    // A text like a program's listing: each file of folder with its size.
    static void WriteListing(const std::wstring& folder, const std::wstring& path) {
        std::wofstream out{std::filesystem::path(path)};
        WIN32_FIND_DATAW data = {};
        HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return;
        do out << data.cFileName << L"\t" << data.nFileSizeLow << L" bytes\n";
        while (FindNextFileW(find, &data));
        FindClose(find);
    }

    std::wstring text_;
    std::vector<std::unique_ptr<Test::Process>> programs_;
};

// CPU time of this thread: unlike the time on the clock, it hardly grows when other work
// shares the machine.
double ThreadCpuMilliseconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& time) {
        return static_cast<double>(time.dwHighDateTime) * 4294967296.0 + time.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

std::tm FixedDate() {
    std::tm date = {};
    date.tm_year = 124;
    date.tm_mon = 5;
    date.tm_mday = 7;
    return date;
}

}  // namespace

// Lists the day folder once and looks names up in a set: the time should grow about
// tenfold from 1,000 to 10,000 files, not a hundredfold.
GLIMRA_BENCH(OutputNextName) {
    const std::wstring folder = BenchFolder(L"next-name");
    ImageFileNamer namer(FixedDate);
    namer.NextImagePath(folder);
    int existing = 0;
    double at1000 = 0;
    for (const int count : {0, 1000, 10000}) {
        for (; existing < count; ++existing) Touch(namer.DayFolder() + ImageFileName(existing + 1));
        std::wstring path;
        const double ms = MedianMs(count >= 10000 ? 9 : 21, [&] { path = namer.NextImagePath(folder); });
        if (path != namer.DayFolder() + ImageFileName(count + 1)) std::printf("unexpected name\n");
        Report("next_name_" + std::to_string(count) + "_files_ms", ms, "ms");
        if (count == 1000) at1000 = ms;
        if (count == 10000 && at1000 > 0) Report("next_name_10000_over_1000_files", ms / at1000, "x");
    }
    std::vector<std::wstring> names;
    for (int i = 1; i <= 10000; ++i) names.push_back(ImageFileName(i));
    Report("next_name_pick_only_10000_names_ms", MedianMs(21, [&] { PickFreeImageName(names); }), "ms");
    Clear(folder);
}

// A full-screen capture of a desktop with a few real programs on it: its BMP straight from
// the DIB's bits, against a plain write of the same bytes; its PNG; and the clipboard copy
// built from memory.
GLIMRA_BENCH(OutputFullScreen) {
    constexpr int kWidth = 1920;
    constexpr int kHeight = 1080;
    const ComApartment apartment;  // held for the whole run, as the program's thread holds it
    const std::wstring folder = BenchFolder(L"full-screen");
    const MemorySurface surface(CreateDib24(kWidth, kHeight));
    const HDC source = surface.dc();
    {
        const ProgramsOnScreen programs(folder);
        BitBlt(source, 0, 0, kWidth, kHeight, ScreenDC().get(), 0, 0, SRCCOPY | CAPTUREBLT);
    }
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"bench owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);

    const CapturedImage image = CaptureArea(source, {0, 0}, {kWidth, kHeight});
    const std::uint32_t fileBytes = kBmpHeadersSize + image.PixelBytes();
    std::vector<char> plain(fileBytes, 1);
    int counter = 0;
    std::vector<double> writes;
    std::vector<double> plainWrites;
    for (int run = 0; run < 15; ++run) {
        const std::wstring imagePath = folder + L"image" + std::to_wstring(++counter) + L".bmp";
        auto start = Clock::now();
        WriteImageFile(EncodeImageFile(image, ImageFormatBmp), imagePath, nullptr);
        writes.push_back(Milliseconds(Clock::now() - start));

        const std::wstring plainPath = folder + L"plain" + std::to_wstring(counter) + L".bin";
        start = Clock::now();
        {
            const KernelHandle file(
                CreateFileW(plainPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            DWORD written = 0;
            WriteFile(file.get(), plain.data(), fileBytes, &written, nullptr);
        }
        plainWrites.push_back(Milliseconds(Clock::now() - start));
        DeleteFileW(imagePath.c_str());
        DeleteFileW(plainPath.c_str());
    }
    const double write = Median(writes);
    const double plainWrite = Median(plainWrites);

    std::vector<double> pngWrites;
    double pngBytes = 0;
    const double cpuBefore = ThreadCpuMilliseconds();
    for (int run = 0; run < 15; ++run) {
        const std::wstring pngPath = folder + L"image" + std::to_wstring(++counter) + L".png";
        const auto start = Clock::now();
        WriteImageFile(EncodeImageFile(image, ImageFormatPng), pngPath, nullptr);
        pngWrites.push_back(Milliseconds(Clock::now() - start));
        WIN32_FILE_ATTRIBUTE_DATA attributes = {};
        GetFileAttributesExW(pngPath.c_str(), GetFileExInfoStandard, &attributes);
        pngBytes = static_cast<double>(attributes.nFileSizeLow);
        DeleteFileW(pngPath.c_str());
    }
    const double pngCpu = (ThreadCpuMilliseconds() - cpuBefore) / 15;  // a mean: the clock ticks coarsely
    Report("output_png_encode_1920x1080_ms", MedianMs(15, [&] { EncodeImageFile(image, ImageFormatPng); }), "ms");
    Report("output_write_png_1920x1080_cpu_ms", pngCpu, "ms");
    Report("output_write_png_1920x1080_ms", Median(pngWrites), "ms");
    Report("output_png_over_bmp_bytes", pngBytes / fileBytes, "x");
    Report("output_capture_area_1920x1080_ms",
           MedianMs(15,
                    [&] {
                        CaptureArea(source, {0, 0}, {kWidth, kHeight});
                    }),
           "ms");
    Report("output_write_1920x1080_ms", write, "ms");
    Report("output_plain_write_same_bytes_ms", plainWrite, "ms");
    Report("output_write_over_plain_write", plainWrite > 0 ? write / plainWrite : 0, "x");
    Report("output_clipboard_1920x1080_ms",
           MedianMs(15,
                    [&] {
                        CopyImageToClipboard(owner, image, {}, {});
                        Test::AwaitClipboardPuts();  // one that waited for the clipboard counts in full
                    }),
           "ms");

    // The whole step as a capture runs it, without the viewer.
    CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
    Store().SetString(KeySaveFolder, folder);
    Store().SetInt(SectionSettings, KeyClipBoard, 2);
    ImageFileNamer namer(FixedDate);
    Report("output_finish_capture_1920x1080_ms",
           MedianMs(9,
                    [&] {
                        FinishCapture(namer, source, owner, {0, 0}, {kWidth, kHeight});
                        Test::AwaitClipboardPuts();  // one that waited for the clipboard counts in full
                    }),
           "ms");

    DestroyWindow(owner);
    Clear(folder);
}

}  // namespace Vorlune::Bench
