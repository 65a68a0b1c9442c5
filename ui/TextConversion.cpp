#include "ui/TextConversion.h"

namespace Vorlune {

std::string ToThreadAnsi(const std::wstring& text) { return ToCodePage(text, CP_THREAD_ACP); }

std::string ToCodePage(const std::wstring& text, UINT codePage) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    // Ask for the size first: two bytes a character is too few under UTF-8.
    const int size = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string result(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(codePage, 0, text.data(), length, result.data(), size, nullptr, nullptr) != size) return {};
    return result;
}

std::wstring FromThreadAnsi(const std::string& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), length, nullptr, 0);
    if (size <= 0) return {};
    std::wstring result(static_cast<size_t>(size), L'\0');
    if (MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), length, result.data(), size) != size) return {};
    return result;
}

}  // namespace Vorlune
