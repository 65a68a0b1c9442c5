#include "Process.h"

#include <stdexcept>

#include "Scratch.h"

namespace Vorlune::Test {

Process::Process(const std::wstring& exe, const std::wstring& tempFolder, const std::wstring& arguments,
                 const StandardHandles* handles) {
    // The child inherits TMP and TEMP, changed only while it is created; this process's own are
    // both the run's scratch folder.
    wchar_t own[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TMP", own, MAX_PATH);
    for (const wchar_t* name : {L"TMP", L"TEMP"}) SetEnvironmentVariableW(name, tempFolder.c_str());
    std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (handles != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = handles->output;
        startup.hStdError = handles->error;
    }
    PROCESS_INFORMATION info = {};
    const BOOL created = CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, handles != nullptr, 0, nullptr,
                                        nullptr, &startup, &info);
    const DWORD error = GetLastError();
    id_ = info.dwProcessId;
    process_ = KernelHandle(info.hProcess);
    thread_ = KernelHandle(info.hThread);
    for (const wchar_t* name : {L"TMP", L"TEMP"}) SetEnvironmentVariableW(name, own);
    if (!created) throw std::runtime_error("CreateProcessW failed for " + Narrow(exe) + ": " + std::to_string(error));
}

Process::~Process() {
    if (!Running()) return;
    TerminateProcess(Handle(), 99);
    WaitForSingleObject(Handle(), 5000);
}

HWND Process::FindWindowOf(const std::wstring& className, const std::wstring& title) const {
    for (HWND w = nullptr;
         (w = FindWindowExW(nullptr, w, className.c_str(), title.empty() ? nullptr : title.c_str())) != nullptr;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == id_) return w;
    }
    return nullptr;
}

bool StartUnix(const std::wstring& commandLine) {
    Process start(L"C:\\windows\\system32\\start.exe", ExeFolder(), L"/unix " + commandLine);
    return start.WaitExit() == std::optional<DWORD>(0);
}

}  // namespace Vorlune::Test
