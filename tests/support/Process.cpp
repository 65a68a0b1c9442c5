#include "Process.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>
#include <vector>

#include "Scratch.h"

namespace Vorlune::Test {

namespace {
std::wstring Upper(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    return text;
}

struct WindowSearch {
    DWORD pid;
    std::wstring className;
    std::wstring title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid) return TRUE;
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, 256);
    if (search->className != buffer) return TRUE;
    if (!search->title.empty()) {
        GetWindowTextW(hwnd, buffer, 256);
        if (search->title != buffer) return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}
}  // namespace

std::wstring EnvironmentBlock(const std::map<std::wstring, std::wstring>& overrides) {
    std::map<std::wstring, std::wstring> variables;
    std::map<std::wstring, std::wstring> names;  // upper-case name to spelling
    wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* entry = current; *entry != 0; entry += wcslen(entry) + 1) {
        std::wstring text = entry;
        const size_t equals = text.find(L'=', 1);
        if (equals == std::wstring::npos) continue;
        const std::wstring name = text.substr(0, equals);
        variables[Upper(name)] = text.substr(equals + 1);
        names[Upper(name)] = name;
    }
    FreeEnvironmentStringsW(current);
    for (const auto& [name, value] : overrides) {
        variables[Upper(name)] = value;
        names[Upper(name)] = name;
    }
    std::wstring block;
    for (const auto& [key, value] : variables) {
        block += names[key] + L"=" + value;
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

Process::Process(const std::wstring& exe, const std::wstring& tempFolder, const std::wstring& arguments,
                 const std::map<std::wstring, std::wstring>& extraEnvironment) {
    std::map<std::wstring, std::wstring> overrides = extraEnvironment;
    overrides[L"TMP"] = tempFolder;
    overrides[L"TEMP"] = tempFolder;
    std::wstring environment = EnvironmentBlock(overrides);
    std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.data(), nullptr, &startup, &info_))
        throw std::runtime_error("CreateProcessW failed for " + Narrow(exe) + ": " + std::to_string(GetLastError()));
}

Process::~Process() {
    Kill();
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
}

bool Process::Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::WaitExit(std::chrono::milliseconds timeout) {
    if (!WaitUntil([&] { return !Running(); }, timeout)) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void Process::Kill() {
    if (info_.hProcess && Running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
}

HWND Process::FindWindowOf(const std::wstring& className, const std::wstring& title) const {
    WindowSearch search{info_.dwProcessId, className, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Process::WaitWindow(const std::wstring& className, const std::wstring& title,
                         std::chrono::milliseconds timeout) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowOf(className, title)) != nullptr || !Running(); }, timeout);
    return found;
}

}  // namespace Vorlune::Test
