#include "Capture/ImageFileNamer.h"

#include <windows.h>

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

ImageFileNamer::ImageFileNamer(DateSource date, int maxNumber) : date_(std::move(date)), maxNumber_(maxNumber) {}

std::wstring ImageFileNamer::NextImagePath(const std::wstring& folder, ImageFormat format) {
    dayFolder_ = MakeDayFolder(folder, date_());
    format_ = format;
    // One listing, then set lookups: the cost grows with the folder, not its square.
    ListFolder(dayFolder_, existingNames_);
    return PickNext();
}

std::wstring ImageFileNamer::NextImagePathAfterTaken(const std::wstring& takenPath) {
    existingNames_.push_back(takenPath.substr(takenPath.find_last_of(L'\\') + 1));
    return PickNext();
}

std::wstring ImageFileNamer::PickNext() const {
    const auto name = PickFreeImageName(existingNames_, format_, maxNumber_);
    return name ? dayFolder_ + *name : std::wstring();
}

}  // namespace Vorlune
