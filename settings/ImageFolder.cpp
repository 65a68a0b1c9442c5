#include "settings/ImageFolder.h"

#include <windows.h>

#include <cwctype>

#include "core/ImageNames.h"
#include "settings/PathText.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {

bool IsSlash(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return {};
    full.resize(length);
    return full;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// A path already made full: "X:", "\\server\share" or their "\\?\" forms, with or
// without trailing backslashes. Any other "\\?\" path counts as one too: the root of a
// volume named by its GUID or device looks like an ordinary folder.
bool IsRootPath(std::wstring path) {
    while (!path.empty() && IsSlash(path.back())) path.pop_back();
    if (path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0) {
        path.erase(0, 4);
        if (path.size() >= 4 && _wcsnicmp(path.c_str(), L"UNC\\", 4) == 0)
            path = L"\\\\" + path.substr(4);
        else if (path.size() < 2 || !std::iswalpha(path[0]) || path[1] != L':')
            return true;
    }
    if (path.empty() || (path.size() == 2 && path[1] == L':')) return true;
    if (path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1])) {
        size_t parts = 0;
        bool inPart = false;
        for (size_t i = 2; i < path.size(); ++i) {
            if (IsSlash(path[i])) {
                inPart = false;
            } else if (!inPart) {
                inPart = true;
                ++parts;
            }
        }
        return parts <= 2;
    }
    return false;
}

// The full path of folder when it may be cleared (see IsClearableFolder), else empty.
std::wstring ClearableFullPath(const std::wstring& folder) {
    const bool driveAbsolute =
        folder.size() >= 3 && std::iswalpha(folder[0]) && folder[1] == L':' && IsSlash(folder[2]);
    const bool unc = folder.size() >= 2 && IsSlash(folder[0]) && IsSlash(folder[1]);
    if (!driveAbsolute && !unc) return {};
    std::wstring full = FullPath(folder);
    return IsRootPath(full) ? std::wstring() : full;
}

class Win32FolderOperations : public FolderOperations {
public:
    std::vector<FolderEntry> List(const std::wstring& folder) override {
        std::vector<FolderEntry> entries;
        WIN32_FIND_DATAW data = {};
        const FindHandle find(FindFirstFileW((folder + L"*").c_str(), &data));
        if (!find.Valid()) return entries;
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                               (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
        } while (FindNextFileW(find.get(), &data));
        return entries;
    }
    void DeleteFileAt(const std::wstring& path) override { DeleteFileW(path.c_str()); }
    void RemoveFolderAt(const std::wstring& path) override { RemoveDirectoryW(path.c_str()); }
};

bool Spared(const std::wstring& path, const FolderEntry& entry, const std::wstring& keepName,
            const std::wstring& keepPath) {
    // Links are never entered nor removed: the program writes none.
    return entry.reparsePoint || entry.name == keepName || (!keepPath.empty() && SamePath(path, keepPath));
}

// Only what the program writes: day folders, the images in them and what a crash left of
// one being written. The folder may be one
// of the user's own, and everything else in it stays.
void ClearImages(const std::wstring& folder, const std::wstring& keepName, const std::wstring& keepPath,
                 FolderOperations& operations) {
    for (const FolderEntry& day : operations.List(folder)) {
        const std::wstring dayPath = folder + day.name;
        if (!day.directory || !IsDayFolderName(day.name) || Spared(dayPath, day, keepName, keepPath)) continue;
        for (const FolderEntry& image : operations.List(dayPath + L"\\")) {
            const std::wstring imagePath = dayPath + L"\\" + image.name;
            const bool written = IsImageFileName(image.name) || IsTemporaryImageName(image.name);
            if (!image.directory && written && !Spared(imagePath, image, keepName, keepPath))
                operations.DeleteFileAt(imagePath);
        }
        operations.RemoveFolderAt(dayPath);  // goes only once it is empty
    }
}

}  // namespace

std::wstring GetSaveFolder() {
    std::wstring folder = Store().GetString(KeySaveFolder);
    return folder.empty() ? GetTempFolderPath() : folder;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void ListFolder(const std::wstring& folder, std::vector<std::wstring>& names) {
    names.clear();
    for (FolderEntry& entry : RealFolderOperations().List(WithTrailingBackslash(folder)))
        names.push_back(std::move(entry.name));
}

FolderOperations& RealFolderOperations() {
    static Win32FolderOperations operations;
    return operations;
}

bool IsClearableFolder(const std::wstring& folder) { return !ClearableFullPath(folder).empty(); }

void ClearFolder(const std::wstring& folder, const std::wstring& keepName, const std::wstring& keepPath,
                 FolderOperations& operations) {
    const std::wstring full = ClearableFullPath(folder);
    if (full.empty()) return;
    ClearImages(WithTrailingBackslash(full), keepName, keepPath.empty() ? keepPath : FullPath(keepPath), operations);
}

void ClearFolder(const std::wstring& folder, const std::wstring& keepName) {
    ClearFolder(folder, keepName, Store().Path(), RealFolderOperations());
}

}  // namespace Vorlune
