#include "Process.h"

#include <stdexcept>

#include "Scratch.h"

namespace Vorlune::Test {

Process::Process(const std::wstring& exe, const std::wstring& tempFolder, const std::wstring& arguments,
                 const std::map<std::wstring, std::wstring>& extraEnvironment) {
    // This process's environment with the overrides, sorted by name as CreateProcessW wants it.
    auto noCase = [](const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) < 0; };
    std::map<std::wstring, std::wstring, decltype(noCase)> variables;
    wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* entry = current; *entry != 0; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        const size_t equals = text.find(L'=', 1);  // past the "=" of names such as "=C:"
        if (equals != std::wstring::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    FreeEnvironmentStringsW(current);
    for (const auto& [name, value] : extraEnvironment) variables[name] = value;
    variables[L"TMP"] = variables[L"TEMP"] = tempFolder;
    std::wstring environment;  // its final terminator is the string's own
    for (const auto& [name, value] : variables) environment += name + L"=" + value + L'\0';
    std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.data(), nullptr, &startup, &info_))
        throw std::runtime_error("CreateProcessW failed for " + Narrow(exe) + ": " + std::to_string(GetLastError()));
}

Process::~Process() {
    if (Running()) TerminateProcess(info_.hProcess, 99), WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hThread), CloseHandle(info_.hProcess);
}

HWND Process::FindWindowOf(const std::wstring& className, const std::wstring& title) const {
    struct Search { DWORD pid; const std::wstring &className, &title; HWND found; } search{info_.dwProcessId, className, title, nullptr};
    EnumWindows([](HWND hwnd, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        wchar_t text[256] = {};
        GetWindowThreadProcessId(hwnd, &pid);
        GetClassNameW(hwnd, text, 256);
        if (pid != s.pid || s.className != text) return TRUE;
        if (!s.title.empty() && (GetWindowTextW(hwnd, text, 256), s.title != text)) return TRUE;
        return s.found = hwnd, FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace Vorlune::Test
