#include "Capture/ImageFileNamer.h"

#include <windows.h>

#include <vector>

#include "settings/ImageFolder.h"
#include "settings/PathText.h"

namespace Vorlune {

std::tm LocalDateNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    localtime_s(&local, &now);
    return local;
}

std::wstring MakeDayFolder(const std::wstring& folder, const std::tm& date) {
    const std::wstring base = WithTrailingBackslash(folder);
    CreateDirectoryW(base.c_str(), nullptr);  // may exist already
    const std::wstring day = base + DayFolderName(date) + L'\\';
    CreateDirectoryW(day.c_str(), nullptr);
    return day;
}

ImageFileNamer::ImageFileNamer() : ImageFileNamer(LocalDateNow) {}

ImageFileNamer::ImageFileNamer(DateSource date, int maxNumber) : picker_(maxNumber), date_(std::move(date)) {}

std::wstring ImageFileNamer::NextImagePath(const std::wstring& folder, ImageFormat format) {
    std::wstring dayFolder = MakeDayFolder(folder, date_());
    // One listing, then set lookups: the cost grows with the folder, not its square.
    std::vector<std::wstring> names;
    ListFolder(dayFolder, names);
    return picker_.Start(std::move(dayFolder), std::move(names), format);
}

}  // namespace Vorlune
