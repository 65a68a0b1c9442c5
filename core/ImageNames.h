#pragma once
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "core/ImageFormat.h"

namespace Vorlune {

// Image numbers run from 1 to this, written with at least five digits.
constexpr int kMaxImageNumber = 100000;

// "%04d%02d%02d" of the local date: year, month 1-12, day of month.
std::wstring DayFolderName(const std::tm& date);

// The number with five digits, zero-padded, and ".bmp" or ".png".
std::wstring ImageFileName(int number, ImageFormat format = ImageFormatBmp);

// Names exactly as the two above write them: eight digits; a number from 1 to
// kMaxImageNumber with its ".bmp" or ".png". What the clean-up may delete is told by these.
bool IsDayFolderName(const std::wstring& name);
bool IsImageFileName(const std::wstring& name);

// Whether dayFolder (ending with a backslash) and every image name in it stay inside the
// lengths Windows allows without long paths: fewer than 248 characters for a folder
// (CreateDirectoryW), fewer than MAX_PATH (260) for a file.
bool HoldsEveryImageName(const std::wstring& dayFolder);

// Where an image is written before it takes its name: its extension replaced with ".tmp", so
// that the path is never longer than the image's own ("00001.bmp" is written as "00001.tmp",
// "my.shot.png" as "my.shot.tmp", never over another name's "my.tmp").
std::wstring TemporaryImageName(const std::wstring& imageName);
// A name TemporaryImageName gives, or one of the "<image name>.<process id>.tmp" names
// written before: what a crash leaves, and the clean-up may delete.
bool IsTemporaryImageName(const std::wstring& name);

// The name in format of the lowest number from 1 to maxNumber that no existing name takes
// in either format: a day's images share one sequence. Names are compared as the file
// system does, without regard to case. Nothing when all are taken.
std::optional<std::wstring> PickFreeImageName(const std::vector<std::wstring>& existingNames,
                                              ImageFormat format = ImageFormatBmp, int maxNumber = kMaxImageNumber);

// The free image paths of one day folder: the lowest number that neither its listing nor a
// name found taken since holds.
class ImageNamePicker {
public:
    explicit ImageNamePicker(int maxNumber = kMaxImageNumber) : maxNumber_(maxNumber) {}

    // dayFolder ends with a backslash; names are the entries it holds. Returns its first free
    // path in format, or an empty string when every number of the day is taken.
    std::wstring Start(std::wstring dayFolder, std::vector<std::wstring> names, ImageFormat format);
    // After the file at takenPath (the last path returned) turned out to exist: the next free
    // path in the same day folder and format, or an empty string.
    std::wstring NextAfterTaken(const std::wstring& takenPath);

    const std::wstring& DayFolder() const { return dayFolder_; }

private:
    std::wstring Pick() const;

    std::vector<std::wstring> names_;
    std::wstring dayFolder_;
    ImageFormat format_ = ImageFormatBmp;
    int maxNumber_;
};

}  // namespace Vorlune
