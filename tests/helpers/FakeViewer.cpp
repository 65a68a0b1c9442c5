// Stands in for an image viewer: appends one line per start to the file named by
// GLIMRA_FAKE_VIEWER_LOG, "<argument count>|<argument 1>|...", in UTF-8, and exits.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "ui/GdiOwners.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t logPath[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"GLIMRA_FAKE_VIEWER_LOG", logPath, MAX_PATH) == 0) return 2;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring line = std::to_wstring(count - 1);
    for (int i = 1; i < count; ++i) line += L"|" + std::wstring(arguments[i]);
    LocalFree(arguments);
    std::string bytes(line.size() * 3, '\0');  // at most three UTF-8 bytes to a UTF-16 unit
    bytes.resize(size_t(WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), bytes.data(), int(bytes.size()),
                                            nullptr, nullptr)));
    bytes += '\n';
    // One write of the whole line, so a reader never sees half of it.
    const Vorlune::KernelHandle file(CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return 3;
    DWORD written = 0;
    const BOOL ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok && written == bytes.size() ? 0 : 4;
}
