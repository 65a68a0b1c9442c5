#include "OutputTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "Wait.h"
#include "ui/Clipboard.h"

namespace Vorlune::Test {

bool OpenClipboardSoon() {
    return WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5s);
}

void SetClipboardText(HWND owner, const std::wstring& text) {
    if (!WaitUntil([&] { return PutTextOnClipboard(owner, text); }, 5s)) throw std::runtime_error("clipboard busy");
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

std::string ClipboardText() {
    std::vector<unsigned char> bytes = ClipboardBytes(CF_TEXT);
    bytes.push_back(0);
    return reinterpret_cast<const char*>(bytes.data());
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

void TouchFile(const std::wstring& path) { WriteBytes(path, {'x'}); }

}  // namespace Vorlune::Test
