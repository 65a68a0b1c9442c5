#pragma once
#include <ctime>
#include <functional>
#include <string>

#include "core/ImageNames.h"

namespace Vorlune {

// Picks the lowest free five-digit name in the folder of the current day.
class ImageFileNamer {
public:
    using DateSource = std::function<std::tm()>;

    ImageFileNamer();
    // date gives the local date of "now"; maxNumber caps the image numbers.
    explicit ImageFileNamer(DateSource date, int maxNumber = kMaxImageNumber);

    // Creates the folder (one level) and the day folder; returns the next free image path in
    // format, or an empty string when every number of the day is taken.
    std::wstring NextImagePath(const std::wstring& folder, ImageFormat format = ImageFormatBmp);

    // After the file at takenPath (the last path returned) turned out to exist: the next
    // free path in the same day folder and format, or an empty string.
    std::wstring NextImagePathAfterTaken(const std::wstring& takenPath) { return picker_.NextAfterTaken(takenPath); }

    const std::wstring& DayFolder() const { return picker_.DayFolder(); }

private:
    ImageNamePicker picker_;
    DateSource date_;
};

// Creates the folder (one level) and its folder for date when missing; returns the day
// folder's path with a trailing backslash. Lists nothing.
std::wstring MakeDayFolder(const std::wstring& folder, const std::tm& date);

// The local date now, from time and localtime_s.
std::tm LocalDateNow();

}  // namespace Vorlune
