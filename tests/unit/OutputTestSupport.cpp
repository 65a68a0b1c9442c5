#include "OutputTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "Wait.h"

namespace Vorlune::Test {

bool OpenClipboardSoon(HWND owner) {
    return WaitUntil([&] { return OpenClipboard(owner) != FALSE; }, 5s);
}

void SetClipboardText(HWND owner, const std::wstring& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(block)));
    GlobalUnlock(block);
    if (!OpenClipboardSoon(owner)) throw std::runtime_error("clipboard busy");
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) GlobalFree(block);
    CloseClipboard();
}

std::vector<unsigned char> ClipboardBytes(UINT format) {
    if (!OpenClipboardSoon()) throw std::runtime_error("clipboard busy");
    std::vector<unsigned char> bytes;
    if (HANDLE data = GetClipboardData(format)) {
        const auto* start = static_cast<const unsigned char*>(GlobalLock(data));
        if (start != nullptr) bytes.assign(start, start + GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

namespace {
template <class Char>
std::basic_string<Char> ClipboardAs(UINT format) {
    std::vector<unsigned char> bytes = ClipboardBytes(format);
    bytes.resize(bytes.size() + 2 * sizeof(Char));  // a whole terminator, also after an odd byte
    return reinterpret_cast<const Char*>(bytes.data());
}
}  // namespace

std::wstring ClipboardText() { return ClipboardAs<wchar_t>(CF_UNICODETEXT); }
std::string ClipboardAnsiText() { return ClipboardAs<char>(CF_TEXT); }

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

void TouchFile(const std::wstring& path) { WriteBytes(path, {'x'}); }

}  // namespace Vorlune::Test
