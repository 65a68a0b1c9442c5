#include "settings/VersionInfo.h"

#include <cwchar>
#include <vector>

namespace Vorlune {

namespace {

std::vector<unsigned char> ReadVersionBlock(const std::wstring& path) {
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    if (size == 0) return {};
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};
    return block;
}

std::wstring FileVersionOf(std::vector<unsigned char>& block) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", &value, &length) || value == nullptr || length < sizeof(VS_FIXEDFILEINFO))
        return {};
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (fixed->dwSignature != VS_FFI_SIGNATURE) return {};
    return FormatFileVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

std::wstring LegalNoticeOf(std::vector<unsigned char>& block) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) || value == nullptr ||
        length < 2 * sizeof(WORD))
        return {};
    const auto* translation = static_cast<const WORD*>(value);
    const std::wstring query = LegalCopyrightQuery(translation[0], translation[1]);
    value = nullptr;
    length = 0;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || value == nullptr) return {};
    // The length counts characters, the terminating zero mostly included.
    const auto* text = static_cast<const wchar_t*>(value);
    return std::wstring(text, wcsnlen(text, length));
}

}  // namespace

std::wstring FormatFileVersion(DWORD mostSignificant, DWORD leastSignificant) {
    wchar_t text[100] = {};
    swprintf(text, 100, L"%d.%d.%d.%d", HIWORD(mostSignificant), LOWORD(mostSignificant), HIWORD(leastSignificant),
             LOWORD(leastSignificant));
    return text;
}

std::wstring LegalCopyrightQuery(WORD language, WORD codePage) {
    wchar_t query[300] = {};
    swprintf(query, 300, L"\\StringFileInfo\\%04X%04X\\LegalCopyright", language, codePage);
    return query;
}

VersionTexts ReadVersionTexts(const std::wstring& modulePath) {
    std::vector<unsigned char> block = ReadVersionBlock(modulePath);
    if (block.empty()) return {};
    return {FileVersionOf(block), LegalNoticeOf(block)};
}

}  // namespace Vorlune
