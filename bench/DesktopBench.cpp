#include <windows.h>

#include <string>
#include <vector>

#include "Bench.h"
#include "Capture/DesktopCapture.h"
#include "FirstPaint.h"
#include "settings/ImageFolder.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"

namespace Vorlune::Bench {

namespace {

constexpr TextId kCursorToggle = TextCursorToggle;

// Images into a folder of the benchmark's own, no viewer; settings put back afterwards.
class BenchSettings {
public:
    BenchSettings() : oldFolder_(Store().GetString(KeySaveFolder)) {
        CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
        oldClipboard_ = Store().GetInt(SectionSettings, KeyClipBoard);
        oldToggle_ = Store().GetToggle(kCursorToggle);
        Store().SetString(KeySaveFolder, folder_);
        Store().SetInt(SectionSettings, KeyClipBoard, 2);  // file and clipboard, no viewer
    }
    ~BenchSettings() {
        ClearFolder(folder_, L"");
        Store().SetString(KeySaveFolder, oldFolder_);
        Store().SetInt(SectionSettings, KeyClipBoard, oldClipboard_);
        Store().SetToggle(kCursorToggle, oldToggle_);
    }

private:
    const std::wstring folder_ = GetTempFolderPath() + L"desktop-bench\\";
    std::wstring oldFolder_;
    int oldClipboard_ = 0;
    int oldToggle_ = 0;
};

}  // namespace

GLIMRA_BENCH(DesktopCaptureBench) {
    BenchSettings settings;
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DesktopCapture mode(owner);
    mode.CreateOverlay(TimedOverlayProcedure<DesktopCapture>, OverlayMessageMap<DesktopCapture>());

    Store().SetToggle(kCursorToggle, 1);
    const std::vector<double> toPaint = ActToFirstPaintTimes(mode, 12);

    std::vector<double> toFile;
    Store().SetToggle(kCursorToggle, 0);
    for (int i = 0; i < 8; ++i) {
        const auto start = Clock::now();
        mode.Act([] {});  // the file is written before Act returns
        if (i > 0) toFile.push_back(Milliseconds(Clock::now() - start));
    }
    Report("act_to_first_paint_DesktopCapture_ms", Median(toPaint), "ms");
    Report("act_to_first_paint_DesktopCapture_p90", Percentile(toPaint, 0.9), "ms");
    Report("desktop_capture_to_file_ms", Median(toFile), "ms");
    Report("desktop_capture_to_file_p90", Percentile(toFile, 0.9), "ms");
    DestroyWindow(owner);
}

}  // namespace Vorlune::Bench
