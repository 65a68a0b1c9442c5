#pragma once
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "Wait.h"
#include "ui/GdiOwners.h"

namespace Vorlune::Test {

// The standard output and error a program is started with; none: it gets no standard handles.
struct StandardHandles {
    HANDLE output = nullptr;
    HANDLE error = nullptr;
};

// A program under test with TMP and TEMP at tempFolder; killed on destruction if still running.
class Process {
public:
    Process(const std::wstring& exe, const std::wstring& tempFolder, const std::wstring& arguments = L"",
            const StandardHandles* handles = nullptr);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.get(); }
    // The exit code, or nothing when the process is still running at the deadline.
    std::optional<DWORD> WaitExit(std::chrono::milliseconds timeout = 10s) {
        DWORD code = 0;
        if (!WaitUntil([&] { return !Running(); }, timeout)) return std::nullopt;
        GetExitCodeProcess(Handle(), &code);
        return code;
    }
    // A visible or hidden top-level window of this process with the class and title (any if empty).
    HWND FindWindowOf(const std::wstring& className, const std::wstring& title = L"") const;
    HWND WaitWindow(const std::wstring& className, const std::wstring& title = L"") const {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindWindowOf(className, title)) != nullptr || !Running(); });
        return found;
    }

private:
    bool Running() const { return WaitForSingleObject(Handle(), 0) == WAIT_TIMEOUT; }
    DWORD id_ = 0;
    KernelHandle process_, thread_;
};

// Starts a Unix command line through Wine's start.exe, which does not wait for it; false when
// start.exe failed. Started directly, a Unix program hands back no handles, and WinExec then
// closes whatever handle values lay on its stack: handles of this process.
bool StartUnix(const std::wstring& commandLine);

}  // namespace Vorlune::Test
