#include "app/ConsoleOutput.h"

#include <windows.h>

#include "ui/TextConversion.h"

namespace Vorlune {

namespace {

bool Usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

// A program built for the window subsystem gets no console of its own; a started one has
// the handles its starter gave it, else none.
HANDLE StreamHandle(StandardStream stream) {
    const HANDLE given = GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (Usable(given)) return given;
    static const HANDLE console = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return INVALID_HANDLE_VALUE;
        return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    }();
    return console;
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode);
}

bool WriteAll(HANDLE handle, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0)
            return false;
        bytes = bytes.subspan(written);
    }
    return true;
}

}  // namespace

bool WriteToStream(StandardStream stream, std::span<const std::uint8_t> bytes) {
    const HANDLE handle = StreamHandle(stream);
    return Usable(handle) && WriteAll(handle, bytes);
}

bool WriteToStream(StandardStream stream, const std::wstring& text) {
    const HANDLE handle = StreamHandle(stream);
    if (!Usable(handle)) return false;
    if (IsConsole(handle)) {
        DWORD written = 0;
        return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
    }
    const std::string utf8 = ToCodePage(text, CP_UTF8);
    return WriteAll(handle, {reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size()});
}

}  // namespace Vorlune
