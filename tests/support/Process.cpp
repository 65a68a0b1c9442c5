#include "Process.h"

#include <functional>
#include <stdexcept>

namespace Vorlune::Test {

namespace {
// A pipe whose reading end goes to read; the writing end, returned, is the child's to inherit.
KernelHandle OpenPipe(KernelHandle& read) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherited, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    read = KernelHandle(readEnd);
    return KernelHandle(writeEnd);
}

void ReadToEnd(HANDLE pipe, std::vector<unsigned char>& into) {
    unsigned char buffer[65536];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        into.insert(into.end(), buffer, buffer + got);
}
}  // namespace

Process::Process(const std::wstring& exe, const std::wstring& tempFolder, const std::wstring& arguments,
                 Streams streams) {
    // The child inherits TMP and TEMP, changed only while it is created; this process's own are
    // both the run's scratch folder.
    wchar_t own[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TMP", own, MAX_PATH);
    for (const wchar_t* name : {L"TMP", L"TEMP"}) SetEnvironmentVariableW(name, tempFolder.c_str());
    std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    const bool piped = streams == Streams::Read;
    // Closed at the end of this constructor: the child's copies alone are left.
    KernelHandle outputEnd, errorEnd;
    if (piped) {
        outputEnd = OpenPipe(output_.read);
        errorEnd = OpenPipe(error_.read);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = outputEnd.get();
        startup.hStdError = errorEnd.get();
    }
    PROCESS_INFORMATION info = {};
    const BOOL created =
        CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, piped, 0, nullptr, nullptr, &startup, &info);
    const DWORD error = GetLastError();
    id_ = info.dwProcessId;
    process_ = KernelHandle(info.hProcess);
    thread_ = KernelHandle(info.hThread);
    for (const wchar_t* name : {L"TMP", L"TEMP"}) SetEnvironmentVariableW(name, own);
    if (!created) throw std::runtime_error("CreateProcessW failed for " + Narrow(exe) + ": " + std::to_string(error));
    if (piped)
        for (Stream* stream : {&output_, &error_})
            stream->reader = std::jthread(ReadToEnd, stream->read.get(), std::ref(stream->bytes));
}

Process::~Process() {
    if (!Running()) return;
    TerminateProcess(Handle(), 99);
    WaitForSingleObject(Handle(), 5000);
}

std::optional<DWORD> Process::WaitExit(std::chrono::milliseconds timeout) {
    DWORD code = 0;
    if (!WaitUntil([&] { return !Running(); }, timeout)) return std::nullopt;
    GetExitCodeProcess(Handle(), &code);
    for (Stream* stream : {&output_, &error_})
        if (stream->reader.joinable()) stream->reader.join();
    return code;
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
