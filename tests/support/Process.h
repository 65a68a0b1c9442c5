#pragma once
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Scratch.h"
#include "Wait.h"
#include "ui/GdiOwners.h"

namespace Vorlune::Test {

// A program under test with TMP and TEMP at tempFolder; killed on destruction if still running.
// Its standard output and error are read through pipes until it ends, as a script reads them, or
// it gets none.
class Process {
public:
    enum class Streams { None, Read };
    Process(const std::wstring& exe, const std::wstring& tempFolder, const std::wstring& arguments = L"",
            Streams streams = Streams::None);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.get(); }
    // The exit code once what it wrote is read whole, or nothing when it still runs at the deadline.
    std::optional<DWORD> WaitExit(std::chrono::milliseconds timeout = 20s);
    const std::vector<unsigned char>& Output() const { return output_.bytes; }
    std::string ErrorText() const { return {error_.bytes.begin(), error_.bytes.end()}; }
    // A visible or hidden top-level window of this process with the class and title (any if empty).
    HWND FindWindowOf(const std::wstring& className, const std::wstring& title = L"") const;
    HWND WaitWindow(const std::wstring& className, const std::wstring& title = L"") const {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindWindowOf(className, title)) != nullptr || !Running(); });
        return found;
    }

private:
    struct Stream {
        KernelHandle read;
        std::vector<unsigned char> bytes;
        std::jthread reader;  // ends once no writing end is left, the child's gone with it
    };
    bool Running() const { return WaitForSingleObject(Handle(), 0) == WAIT_TIMEOUT; }
    DWORD id_ = 0;
    KernelHandle process_, thread_;
    Stream output_, error_;
};

// A process another one started, by its id: killed on destruction if still running.
class StartedElsewhere {
public:
    explicit StartedElsewhere(DWORD id) : process_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id)) {}
    ~StartedElsewhere() {
        if (process_.Valid()) TerminateProcess(process_.get(), 99);
    }
    StartedElsewhere(const StartedElsewhere&) = delete;
    StartedElsewhere& operator=(const StartedElsewhere&) = delete;
    bool Ended(std::chrono::milliseconds timeout = 20s) const {
        return process_.Valid() &&
               WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
    }

private:
    KernelHandle process_;
};

// Glimra.exe started with arguments, as a script starts it.
struct CommandRun : Process {
    CommandRun(const std::wstring& tempFolder, const std::wstring& arguments)
        : Process(GlimraExePath(), tempFolder, arguments, Streams::Read) {}
};

// Starts a Unix command line through Wine's start.exe, which does not wait for it; false when
// start.exe failed. Started directly, a Unix program hands back no handles, and WinExec then
// closes whatever handle values lay on its stack: handles of this process.
bool StartUnix(const std::wstring& commandLine);

}  // namespace Vorlune::Test
