#include <windows.h>

#include <string>
#include <vector>

#include "Bench.h"
#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
#include "markup/MarkupWindow.h"
#include "settings/ImageFolder.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"
#include "ui/GdiOwners.h"

namespace Vorlune::Bench {
namespace {

constexpr SIZE kLarge = {3840, 2160};
constexpr SIZE kFullHd = {1920, 1080};

// A picked image of size with something in every pixel.
class Pick {
public:
    explicit Pick(SIZE size) : size_(size), source_(CreateDib24(size.cx, size.cy)) {
        for (LONG y = 0; y < size.cy; y += 64)
            for (LONG x = 0; x < size.cx; x += 64) {
                const RECT tile = {x, y, x + 64, y + 64};
                const OwnedBrush brush(CreateSolidBrush(RGB(x / 16, y / 9, (x + y) / 24)));
                FillRect(source_.dc(), &tile, brush.get());
            }
    }
    // As a capture hands it over: copied out of its surface, then opened.
    void Open() const {
        TheMarkupWindow().Open(CaptureArea(source_.dc(), {0, 0}, size_), {0, 0, size_.cx, size_.cy}, [] {});
    }

private:
    SIZE size_;
    MemorySurface source_;
};

// Images go to a folder of the benchmark's, gone at the end, and nowhere else.
class BenchImages {
public:
    BenchImages() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"glimra-markup-bench\\";
        CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
        Store().SetString(KeySaveFolder, folder_);
        Store().SetInt(SectionSettings, KeyClipBoard, 2);
    }
    ~BenchImages() {
        ClearFolder(folder_, L"", L"", RealFolderOperations());
        RemoveDirectoryW(folder_.c_str());
    }
    BenchImages(const BenchImages&) = delete;
    BenchImages& operator=(const BenchImages&) = delete;

private:
    std::wstring folder_;
};

HWND Window() { return TheMarkupWindow().Handle(); }

LPARAM ClientPoint(Point image) {
    POINT at = TheMarkupWindow().ScreenPointOf(image);
    ScreenToClient(Window(), &at);
    return MAKELPARAM(at.x, at.y);
}

void Close() { SendMessageW(Window(), WM_CLOSE, 0, 0); }

}  // namespace

GLIMRA_BENCH(MarkupOpen) {
    const Pick pick(kLarge);
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        pick.Open();  // its first paint is done before it returns
        times.push_back(Milliseconds(Clock::now() - start));
        Close();
    }
    Report("markup_open_3840x2160_ms", Median(times), "ms");
}

// 200 rectangles drawn, then a 201st dragged: each move composes only what the mark left and reached.
GLIMRA_BENCH(MarkupDrag) {
    const BenchImages images;
    const Pick pick(kLarge);
    pick.Open();
    for (int i = 0; i < 200; ++i) {
        const Point low = {10 + 190 * (i % 20), 10 + 210 * (i / 20)};
        SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(low));
        SendMessageW(Window(), WM_LBUTTONUP, 0, ClientPoint({low.x + 150, low.y + 150}));
    }
    UpdateWindow(Window());
    SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint({1800, 1000}));
    std::vector<double> moves;
    for (int step = 1; step <= 60; ++step) {
        const auto start = Clock::now();
        SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint({1800 + 4 * step, 1000 + 3 * step}));
        UpdateWindow(Window());
        moves.push_back(Milliseconds(Clock::now() - start));
    }
    SendMessageW(Window(), WM_LBUTTONUP, 0, ClientPoint({2040, 1180}));
    Report("markup_drag_200_marks_median_ms", Median(moves), "ms");
    SendMessageW(Window(), WM_KEYDOWN, VK_RETURN, 0);  // out without the question the marks would raise
}

GLIMRA_BENCH(MarkupOutput) {
    const BenchImages images;
    const Pick pick(kFullHd);
    std::vector<double> times;
    for (int run = 0; run < 9; ++run) {
        pick.Open();
        const auto start = Clock::now();
        SendMessageW(Window(), WM_KEYDOWN, VK_RETURN, 0);  // written, then closed
        times.push_back(Milliseconds(Clock::now() - start));
    }
    Report("markup_output_1920x1080_ms", Median(times), "ms");
}

// The whole image dragged over with the blur: each move blurs it all anew and shows it.
GLIMRA_BENCH(MarkupBlur) {
    const BenchImages images;
    const Pick pick(kFullHd);
    pick.Open();
    SendMessageW(Window(), WM_CHAR, L'b', 0);
    SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint({0, 0}));
    std::vector<double> times;
    for (int run = 0; run < 9; ++run) {
        const auto start = Clock::now();
        SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint({kFullHd.cx - 1 - run % 2, kFullHd.cy - 1}));
        UpdateWindow(Window());
        times.push_back(Milliseconds(Clock::now() - start));
    }
    SendMessageW(Window(), WM_LBUTTONUP, 0, ClientPoint({kFullHd.cx - 1, kFullHd.cy - 1}));
    Report("markup_blur_1920x1080_ms", Median(times), "ms");
    SendMessageW(Window(), WM_KEYDOWN, VK_RETURN, 0);
}

// One more character at the end of a text of 200, to its paint.
GLIMRA_BENCH(MarkupTypeChar) {
    const BenchImages images;
    const Pick pick(kFullHd);
    pick.Open();
    SendMessageW(Window(), WM_CHAR, L't', 0);
    SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint({20, 20}));
    SendMessageW(Window(), WM_LBUTTONUP, 0, ClientPoint({20, 20}));
    for (int i = 0; i < 200; ++i) SendMessageW(Window(), WM_CHAR, L'a' + i % 26, 0);
    UpdateWindow(Window());
    std::vector<double> times;
    for (int run = 0; run < 21; ++run) {
        const auto start = Clock::now();
        SendMessageW(Window(), WM_CHAR, L'x', 0);
        UpdateWindow(Window());
        times.push_back(Milliseconds(Clock::now() - start));
    }
    Report("markup_type_char_ms", Median(times), "ms");
    SendMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 0);  // the text ends
    SendMessageW(Window(), WM_KEYDOWN, VK_RETURN, 0);
}

// What the window adds to the process while it holds the image.
GLIMRA_BENCH(MarkupPrivateMemory) {
    const Pick pick(kLarge);
    const double before = PrivateMegabytes();
    pick.Open();
    Report("markup_private_3840x2160_mb", PrivateMegabytes() - before, "MB");
    Close();
}

}  // namespace Vorlune::Bench
