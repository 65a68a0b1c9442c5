#pragma once
#include <string>

namespace Vorlune {

// Folder paths are joined with names by plain concatenation, so they end with one backslash.
inline std::wstring WithTrailingBackslash(std::wstring path) {
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path;
}

}  // namespace Vorlune
