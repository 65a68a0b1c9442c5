#include "core/ImageNames.h"

#include <cwchar>
#include <string>
#include <unordered_set>
#include <utility>

namespace Vorlune {

namespace {
// Image names hold only ASCII, so folding ASCII letters is the file system's comparison.
std::wstring FoldCase(std::wstring name) {
    for (wchar_t& c : name)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return name;
}
}  // namespace

std::wstring DayFolderName(const std::tm& date) {
    wchar_t text[32] = {};
    std::swprintf(text, 32, L"%04d%02d%02d", date.tm_year + 1900, date.tm_mon + 1, date.tm_mday);
    return text;
}

std::wstring ImageFileName(int number, ImageFormat format) {
    wchar_t text[32] = {};
    std::swprintf(text, 32, format == ImageFormatPng ? L"%05d.png" : L"%05d.bmp", number);
    return text;
}

bool IsDayFolderName(const std::wstring& name) {
    return name.size() == 8 && name.find_first_not_of(L"0123456789") == std::wstring::npos;
}

bool IsImageFileName(const std::wstring& name) {
    const size_t digits = name.find_first_not_of(L"0123456789");
    if (digits < 5 || digits > 6) return false;
    const int number = std::stoi(name.substr(0, digits));
    return number >= 1 && number <= kMaxImageNumber &&
           (name == ImageFileName(number, ImageFormatBmp) || name == ImageFileName(number, ImageFormatPng));
}

bool HoldsEveryImageName(const std::wstring& dayFolder) {
    constexpr size_t kFolderLimit = 248, kFileLimit = 260;
    const size_t longestName = ImageFileName(kMaxImageNumber).size();
    return dayFolder.size() <= kFolderLimit && dayFolder.size() + longestName < kFileLimit;  // less its backslash
}

std::wstring TemporaryImageName(const std::wstring& imageName) {
    return imageName.substr(0, imageName.rfind(L'.')) + L".tmp";
}

bool IsTemporaryImageName(const std::wstring& name) {
    if (!name.ends_with(L".tmp")) return false;
    const std::wstring stem = name.substr(0, name.size() - 4);
    const size_t idDot = stem.rfind(L'.');
    if (idDot == std::wstring::npos) return IsImageFileName(stem + L".bmp");
    // The older form: the whole image name, then the writer's process id.
    const std::wstring id = stem.substr(idDot + 1);
    return IsImageFileName(stem.substr(0, idDot)) && !id.empty() &&
           id.find_first_not_of(L"0123456789") == std::wstring::npos;
}

std::optional<std::wstring> PickFreeImageName(const std::vector<std::wstring>& existingNames, ImageFormat format,
                                              int maxNumber) {
    std::unordered_set<int> taken;
    taken.reserve(existingNames.size());
    for (const std::wstring& name : existingNames) {
        const std::wstring folded = FoldCase(name);
        if (IsImageFileName(folded)) taken.insert(std::stoi(folded));
    }
    for (int number = 1; number <= maxNumber; ++number)
        if (taken.count(number) == 0) return ImageFileName(number, format);
    return std::nullopt;
}

std::wstring ImageNamePicker::Start(std::wstring dayFolder, std::vector<std::wstring> names, ImageFormat format) {
    dayFolder_ = std::move(dayFolder);
    names_ = std::move(names);
    format_ = format;
    return Pick();
}

std::wstring ImageNamePicker::NextAfterTaken(const std::wstring& takenPath) {
    names_.push_back(takenPath.substr(takenPath.find_last_of(L'\\') + 1));
    return Pick();
}

std::wstring ImageNamePicker::Pick() const {
    const auto name = PickFreeImageName(names_, format_, maxNumber_);
    return name ? dayFolder_ + *name : std::wstring();
}

}  // namespace Vorlune
