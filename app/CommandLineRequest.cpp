#include "app/CommandLineRequest.h"

#include <vector>

#include "app/AppContext.h"
#include "core/ImageNames.h"
#include "core/LastRegion.h"
#include "settings/ImageFolder.h"
#include "settings/SettingsStore.h"
#include "ui/Geometry.h"
#include "ui/VirtualScreen.h"

namespace Vorlune {

namespace {
// What of region lies on the monitors, in area; else why there is nothing to capture.
std::wstring PlaceOnMonitors(const Rect& region, std::optional<RECT>& area) {
    std::vector<Rect> monitors;
    for (const RECT& monitor : MonitorRects()) monitors.push_back(ToCore(monitor));
    const std::optional<Rect> onScreen = ClipToMonitors(region, monitors);
    if (!onScreen) return App().GetText(TextRegionOffScreen) + L"\r\n" + FormatRegion(region);
    area = ToWin(*onScreen);
    return {};
}
}  // namespace

CaptureRequest RequestOf(const CommandOptions& options) {
    CaptureRequest request;
    request.file = options.file;
    request.raw = options.raw;
    request.noClipboard = options.noClipboard;
    request.noViewer = options.noViewer;
    request.cursor = options.cursor;
    if (options.delaySeconds > 0) request.delaySeconds = options.delaySeconds;
    request.keepImage = options.pin;
    request.reportInResult = true;
    return request;
}

CommandIndex CommandIndexOf(const CommandOptions& options) {
    switch (options.command) {
        case Command::Window: return options.children ? CommandWindowAll : CommandWindowTop;
        case Command::HiddenWindow: return options.children ? CommandHiddenWindowAll : CommandHiddenWindowTop;
        case Command::Desktop: return options.delaySeconds > 0 ? CommandDelayedDesktop : CommandDesktop;
        case Command::Settings: return CommandSettings;
        default: return options.zoom ? CommandRectangleWithMagnifier : CommandRectangle;
    }
}

std::wstring PlaceLastRegion(std::optional<RECT>& area) {
    const std::optional<Rect> stored = ParseRegion(Store().GetText(kLastRegionSection, kLastRegionKey));
    return stored ? PlaceOnMonitors(*stored, area) : App().GetText(TextNoLastRegion);
}

std::wstring CommandLineRefusal(const CommandOptions& options, std::optional<RECT>& area) {
    if (!options.file.empty() && GetFileAttributesW(options.file.c_str()) != INVALID_FILE_ATTRIBUTES)
        return App().GetText(TextFileExists) + L"\r\n" + options.file;
    const std::wstring placed = options.region                           ? PlaceOnMonitors(*options.region, area)
                                : options.command == Command::LastRegion ? PlaceLastRegion(area)
                                                                         : std::wstring();
    if (!placed.empty()) return placed;
    if (options.command == Command::Settings || !options.file.empty() || options.raw) return {};
    const std::wstring dayFolder = MakeDayFolder(GetSaveFolder(), LocalDateNow());
    if (!HoldsEveryImageName(dayFolder)) return App().GetText(TextSaveFolderTooLong) + L"\r\n" + GetSaveFolder();
    if (!IsFolder(dayFolder)) return App().GetText(TextSaveFolderNotFound) + L"\r\n" + GetSaveFolder();
    return {};
}

}  // namespace Vorlune
