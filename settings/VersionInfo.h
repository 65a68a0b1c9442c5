#pragma once
#include <windows.h>

#include <string>

namespace Vorlune {

struct VersionTexts {
    std::wstring fileVersion;  // "1.2.3.4", or empty
    std::wstring legalNotice;  // LegalCopyright of the first translation, or empty
};

// Reads the version resource of a module file. A missing resource, a failed query or a
// value shorter than it must be leaves the matching text empty.
VersionTexts ReadVersionTexts(const std::wstring& modulePath);

std::wstring FormatFileVersion(DWORD mostSignificant, DWORD leastSignificant);
// "\StringFileInfo\041104B0\LegalCopyright": upper-case hex, as the resource names its block.
std::wstring LegalCopyrightQuery(WORD language, WORD codePage);

}  // namespace Vorlune
