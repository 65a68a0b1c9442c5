#include "Process.h"

#include <stdexcept>

#include "Scratch.h"

namespace Vorlune::Test {

Process::Process(const std::wstring& exe, const std::wstring& tempFolder, const std::wstring& arguments,
                 const std::map<std::wstring, std::wstring>& extraEnvironment) {
    // The child inherits this process's environment, changed only while it is created.
    std::map<std::wstring, std::wstring> variables = extraEnvironment;
    variables[L"TMP"] = variables[L"TEMP"] = tempFolder;
    std::map<std::wstring, std::optional<std::wstring>> saved;
    for (const auto& [name, value] : variables) {
        std::wstring old(32767, L'\0');
        const DWORD length = GetEnvironmentVariableW(name.c_str(), old.data(), 32767);
        saved[name] = length == 0 ? std::nullopt : std::optional(old.substr(0, length));
        SetEnvironmentVariableW(name.c_str(), value.c_str());
    }
    std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const BOOL created = CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    const DWORD error = GetLastError();
    id_ = info.dwProcessId;
    process_ = KernelHandle(info.hProcess);
    thread_ = KernelHandle(info.hThread);
    for (const auto& [name, old] : saved) SetEnvironmentVariableW(name.c_str(), old ? old->c_str() : nullptr);
    if (!created) throw std::runtime_error("CreateProcessW failed for " + Narrow(exe) + ": " + std::to_string(error));
}

Process::~Process() {
    if (!Running()) return;
    TerminateProcess(Handle(), 99);
    WaitForSingleObject(Handle(), 5000);
}

HWND Process::FindWindowOf(const std::wstring& className, const std::wstring& title) const {
    struct Search { DWORD pid; const std::wstring &className, &title; HWND found; } search{id_, className, title, nullptr};
    EnumWindows([](HWND hwnd, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        wchar_t text[256] = {};
        GetWindowThreadProcessId(hwnd, &pid);
        GetClassNameW(hwnd, text, 256);
        if (pid != s.pid || s.className != text) return TRUE;
        if (!s.title.empty()) {
            GetWindowTextW(hwnd, text, 256);
            if (s.title != text) return TRUE;
        }
        s.found = hwnd;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool StartUnix(const std::wstring& commandLine) {
    Process start(L"C:\\windows\\system32\\start.exe", ExeFolder(), L"/unix " + commandLine);
    return start.WaitExit() == std::optional<DWORD>(0);
}

}  // namespace Vorlune::Test
