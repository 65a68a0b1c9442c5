#pragma once
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Process.h"

namespace Vorlune::Test {

// Glimra.exe started with arguments, as a script starts it: its standard output and error
// read through pipes until it ends.
class CommandRun {
public:
    CommandRun(const std::wstring& tempFolder, const std::wstring& arguments);
    ~CommandRun();
    CommandRun(const CommandRun&) = delete;
    CommandRun& operator=(const CommandRun&) = delete;

    Process& Proc() { return process_; }
    // The exit code once both streams are closed; nothing at the deadline.
    std::optional<DWORD> Wait(std::chrono::milliseconds timeout = 20s);
    // What it wrote, complete after Wait.
    const std::vector<unsigned char>& Output() const { return output_; }
    std::string ErrorText() const { return {error_.begin(), error_.end()}; }

private:
    struct Pipe {
        HANDLE read = nullptr;
        HANDLE write = nullptr;
    };
    static Pipe MakePipe();
    static StandardHandles Ends(const Pipe& output, const Pipe& error) { return {output.write, error.write}; }

    Pipe outputPipe_, errorPipe_;
    StandardHandles ends_;
    Process process_;
    std::vector<unsigned char> output_, error_;
    std::thread outputReader_, errorReader_;
};

}  // namespace Vorlune::Test
