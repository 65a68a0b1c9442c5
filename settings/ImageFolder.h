#pragma once
#include <string>
#include <vector>

namespace Vorlune {

// The "SaveFolder" setting as stored, or the program's temp folder when it is empty.
std::wstring GetSaveFolder();

// A folder, not a file, nor nothing.
bool IsFolder(const std::wstring& path);

// Replaces names with the names of all entries of folder, files and sub-folders, without
// "." and "..". A folder that cannot be listed gives no names.
void ListFolder(const std::wstring& folder, std::vector<std::wstring>& names);

// Deletes what the program wrote into the image folder: the images (IsImageFileName) and
// stray temporary images (IsTemporaryImageName) in the day folders (IsDayFolderName), then
// each day folder that is empty then. Everything else
// stays, as do entries named keepName (exact case), the INI file of the settings store and
// links, which are never followed. An empty, relative or root folder is refused.
void ClearFolder(const std::wstring& folder, const std::wstring& keepName);

struct FolderEntry {
    std::wstring name;
    bool directory = false;
    bool reparsePoint = false;  // a junction or symbolic link
};

// What ClearFolder does to the file system; a test can put a fake in its place.
class FolderOperations {
public:
    virtual ~FolderOperations() = default;
    // folder ends with a backslash.
    virtual std::vector<FolderEntry> List(const std::wstring& folder) = 0;
    virtual void DeleteFileAt(const std::wstring& path) = 0;
    // Removes an empty folder; one that is not empty stays.
    virtual void RemoveFolderAt(const std::wstring& path) = 0;
};

FolderOperations& RealFolderOperations();

// ClearFolder with the file to spare by full path (compared without regard to case).
void ClearFolder(const std::wstring& folder, const std::wstring& keepName, const std::wstring& keepPath,
                 FolderOperations& operations);

// Absolute, not empty, and not the root of a drive or share.
bool IsClearableFolder(const std::wstring& folder);

}  // namespace Vorlune
