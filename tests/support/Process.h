#pragma once
#include <windows.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>

#include "Wait.h"

namespace Vorlune::Test {

// A program under test, started with CreateProcessW and an environment whose TMP and TEMP
// point at the given folder (Wine takes them from its registry otherwise).
class Process {
public:
    Process(const std::wstring& exe, const std::wstring& tempFolder, const std::wstring& arguments = L"",
            const std::map<std::wstring, std::wstring>& extraEnvironment = {});
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool Running() const;
    // The exit code, or nothing when the process is still running at the deadline.
    std::optional<DWORD> WaitExit(std::chrono::milliseconds timeout = 10s);
    void Kill();

    // A visible or hidden top-level window of this process with the class and title.
    HWND FindWindowOf(const std::wstring& className, const std::wstring& title = L"") const;
    HWND WaitWindow(const std::wstring& className, const std::wstring& title = L"",
                    std::chrono::milliseconds timeout = 10s) const;

private:
    PROCESS_INFORMATION info_ = {};
};

// The environment of this process with the given variables replaced, as a CreateProcessW block.
std::wstring EnvironmentBlock(const std::map<std::wstring, std::wstring>& overrides);

}  // namespace Vorlune::Test
